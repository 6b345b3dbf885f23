#pragma once
// When an SQL identifier must be written in double quotes, and writing it for a dialect.
#include <string>
#include <string_view>

// Decided in this order: an empty name needs none; a name beginning with a double quote needs
// them; so does one with a character other than A-Z, 0-9, "#", "$", "%", "_" (and a-z when
// allowLower), and one beginning with a digit; a one-character name, or one with a digit second,
// needs none; otherwise it needs them exactly when it is a reserved SQL word.
bool IdentNeedsQuotesEx(std::string_view name, bool allowLower);
bool IdentNeedsQuotes(std::string_view name);            // lower-case letters need quotes
bool IdentNeedsQuotesIgnoreCase(std::string_view name);  // lower-case letters allowed

// Dialect 1: trimmed and upper-cased (A-Z). Other dialects: upper-cased when it needs no quotes;
// otherwise an empty name or one already beginning with a double quote is kept, any other quoted.
std::string DialectIdentifierEx(int dialect, std::string_view name, bool allowLower);
// Dialect 1: trimmed and upper-cased. Other dialects: quoted when IdentNeedsQuotes (a name that
// already begins with a double quote is quoted once more), else unchanged.
std::string DialectIdentifier(int dialect, std::string_view name);
// The name in double quotes, an embedded double quote doubled as SQL requires.
std::string QuoteIdentifier(std::string_view name);

// Longer than four characters and beginning with "OLD_", "NEW_" or "MAS_" in either case.
bool IsOldParamName(std::string_view name);
bool IsNewParamName(std::string_view name);
bool IsMasterParamName(std::string_view name);
