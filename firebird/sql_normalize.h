#pragma once
// The normalised form of a statement's text: the form the query parses its parameters from and the
// prepared-query pool uses as its key.
#include <string>
#include <string_view>

// Comments become blanks and runs of blanks one space; quoted text is kept as written; outside it
// letters a-z become A-Z, ":" becomes "?", operators are set apart by spaces and the negated
// comparisons are rewritten ("!=" to "<>", "!<" to ">=", "!>" to "<="). Macros (macroChar and a
// name, or the doubled macroChar up to the next one) are copied unchanged. The result starts with
// one space.
std::string NormalizeSQL(std::string_view sql, char macroChar);

// With a "%" in text, name := the text before it and defaultValue := the text after it; without,
// name := text and defaultValue is left alone. name gets macroChar in front unless text begins with it.
void SplitMacro(std::string_view text, char macroChar, std::string& defaultValue, std::string& name);
