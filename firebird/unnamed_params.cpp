#include "firebird/unnamed_params.h"

#include <algorithm>
#include <cctype>

#include "firebird/sql_param_scanner.h"

namespace {

// A prefix no name in the text starts with, so the made-up names never join a caller's own.
std::string FreshPrefix(std::string_view sql) {
    std::string upper(sql);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::string prefix = "UNNAMED";
    while (upper.find(prefix) != std::string::npos) prefix += '_';
    return prefix;
}

}  // namespace

std::size_t SkipQuotedOrComment(std::string_view sql, std::size_t i) {
    const char c = sql[i];
    const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
    std::size_t close;
    if (c == '\'' || c == '"')
        close = sql.find(c, i + 1);
    else if (c == '/' && next == '*')
        close = sql.find("*/", i + 2);
    else if (c == '-' && next == '-')
        close = sql.find_first_of("\r\n", i + 2);
    else
        return i;
    if (close == std::string_view::npos)
        return sql.size();
    return close + (c == '/' ? 2 : 1);
}

std::string NameUnnamedParams(std::string_view sql) {
    const std::string prefix = FreshPrefix(sql);
    std::string out;
    int number = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const std::size_t end = SkipQuotedOrComment(sql, i);
        if (end != i) {
            out.append(sql.substr(i, end - i));
            i = end;
            continue;
        }
        const char c = sql[i++];
        out += c;
        if (c != ':' && c != '?')
            continue;
        const char next = i < sql.size() ? sql[i] : '\0';
        if (next != '"' && !IsParamNameChar(next))
            out += prefix + std::to_string(++number);
    }
    return out;
}

std::string NumberPositionalParams(std::string_view sql, std::string_view prefix) {
    std::string out;
    int number = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const std::size_t end = SkipQuotedOrComment(sql, i);
        if (end != i) {
            out.append(sql.substr(i, end - i));
            i = end;
        } else if (sql[i] == '?') {
            out.append(prefix).append(std::to_string(number++));
            ++i;
        } else {
            out += sql[i++];
        }
    }
    return out;
}
