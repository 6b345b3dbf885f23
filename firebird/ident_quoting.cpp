#include "firebird/ident_quoting.h"

#include "firebird/sql_reserved_words.h"
#include "firebird/str_basics.h"
#include "platform/rtl/strings.h"

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsIdentChar(char c, bool allowLower) {
    return (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '#' || c == '$' || c == '%' || c == '_' ||
           (allowLower && c >= 'a' && c <= 'z');
}

bool HasPrefix(std::string_view name, std::string_view prefix) {
    return name.size() > 4 && AsciiSameStr(name.substr(0, 4), prefix, false);
}
}  // namespace

bool IdentNeedsQuotesEx(std::string_view name, bool allowLower) {
    if (name.empty())
        return false;
    if (name[0] == '"')
        return true;
    for (char c : name)
        if (!IsIdentChar(c, allowLower))
            return true;
    if (IsDigit(name[0]))
        return true;
    if (name.size() == 1 || IsDigit(name[1]))
        return false;
    return IsSqlReservedWord(name, allowLower);
}

bool IdentNeedsQuotes(std::string_view name) {
    return IdentNeedsQuotesEx(name, false);
}

bool IdentNeedsQuotesIgnoreCase(std::string_view name) {
    return IdentNeedsQuotesEx(name, true);
}

std::string QuoteIdentifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string DialectIdentifierEx(int dialect, std::string_view name, bool allowLower) {
    if (dialect == 1)
        return AsciiUpperCase(Trim(name));
    const bool needsQuotes = allowLower ? IdentNeedsQuotesIgnoreCase(name) : IdentNeedsQuotes(name);
    if (!needsQuotes)
        return AsciiUpperCase(name);
    if (name.empty() || name[0] == '"')
        return std::string(name);
    return QuoteIdentifier(name);
}

std::string DialectIdentifier(int dialect, std::string_view name) {
    if (dialect == 1)
        return AsciiUpperCase(Trim(name));
    return IdentNeedsQuotes(name) ? QuoteIdentifier(name) : std::string(name);
}

bool IsOldParamName(std::string_view name) {
    return HasPrefix(name, "OLD_");
}
bool IsNewParamName(std::string_view name) {
    return HasPrefix(name, "NEW_");
}
bool IsMasterParamName(std::string_view name) {
    return HasPrefix(name, "MAS_");
}
