#pragma once
// The statement text as the application writes it (named parameters, macros) and as the server
// takes it (positional "?" markers only): the scanner of parameters and macros, macro expansion
// and the rewriting of comparisons with NULL parameters.
#include <string>
#include <string_view>
#include <vector>

// The parameters pass collects parameter and macro names; the server pass also writes the text
// with every parameter marker turned into "?".
enum class TParamScanPass { Params, Server };

struct TScannedParam {
    std::string Name;  // a macro's text starts with the macro character
    bool WithinWhere = false;
    bool NullRewritable = false;  // within WHERE and not followed by an arithmetic operator
    bool operator==(const TScannedParam&) const = default;
};

struct TParamScan {
    std::vector<TScannedParam> Params;
    std::string ServerText;  // the server pass only
};

// Letters, digits, "_", "$", "#", "%" and ".".
bool IsParamNameChar(char c);

// Raises client error 51 with senderPath and "EOF in comment detected", "EOF in string detected"
// or "Parameter name expected".
TParamScan ScanSQLParams(std::string_view text, TParamScanPass pass, char macroChar,
                         const std::string& senderPath);

// False when the text holds ":", "?" or the macro character outside quoted strings and comments.
bool IsTextWithoutParams(std::string_view text, char macroChar);

// A macro's text as the scanner records it, split into its name (without the macro character) and
// its default; a default starting with "#" is quoted and loses the "#".
struct TMacroParts {
    std::string Name;
    std::string Default;
    bool Quoted = false;
};
TMacroParts SplitMacroParam(std::string_view text, char macroChar);

struct TMacroValue {
    std::string Name;  // without the macro character
    std::string Value;
    bool Quoted = false;  // the value goes between apostrophes, its own apostrophes doubled
};

// Replaces each macro marker of the text by its value; rewritten is set when one was replaced.
std::string ExpandMacroValues(std::string_view text, const std::vector<TMacroValue>& macros, char macroChar,
                              bool& rewritten);

// In every WHERE clause, "= ?NAME" and "<> ?NAME" of the named parameters become IS NULL and
// IS NOT NULL (the quoted form "?"NAME"" too under dialect 3); each clause gets a blank appended.
// One walk over the text, however many clauses it has. Each named parameter that stands after a
// marker in some clause is added to `found` once.
std::string RewriteNullComparisons(std::string_view text, const std::vector<std::string>& nullNames,
                                   int dialect, std::vector<std::string>& found);
