#include "firebird/sql_from_tables.h"

#include <algorithm>
#include <array>

#include "firebird/sql_normalize.h"
#include "firebird/sql_parser.h"
#include "firebird/sql_text_routines.h"
#include "firebird/sql_words.h"
#include "firebird/str_basics.h"
#include "firebird/str_replace.h"

namespace {
constexpr char kMacroChar = '@';

// The words of a join that leave nothing behind in a comma list.
constexpr std::array<std::string_view, 7> kJoinKindWords{" LEFT ",  " RIGHT ", " FULL ",   " INNER ",
                                                         " OUTER ", " CROSS ", " NATURAL "};

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}

// Index behind the quoted text that starts at i; the end of the text when it is not closed.
std::size_t SkipQuoted(std::string_view text, std::size_t i) {
    const std::size_t close = text.find(text[i], i + 1);
    return close == std::string_view::npos ? text.size() : close + 1;
}

// Index behind the quoted text or bracketed group that starts at i (to the end of the text when it
// is not closed); i + 1 for any other character.
std::size_t SkipGroup(std::string_view text, std::size_t i) {
    if (IsQuote(text[i]))
        return SkipQuoted(text, i);
    if (text[i] != '(')
        return i + 1;
    int depth = 1;
    for (++i; i < text.size() && depth > 0;) {
        if (IsQuote(text[i])) {
            i = SkipQuoted(text, i);
            continue;
        }
        depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
        ++i;
    }
    return i;
}

// Index of the next "," outside brackets and quotes from i; the text's size when there is none.
std::size_t NextListComma(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] != ',') i = SkipGroup(text, i);
    return std::min(i, text.size());
}

// The word ON or USING that starts a join condition at index i.
bool JoinConditionAt(std::string_view text, std::size_t i) {
    const int pos = static_cast<int>(i) + 1;
    if (pos > 1 && !AfterBlankOrBracket(text, pos))
        return false;
    for (std::string_view word : {std::string_view("ON"), std::string_view("USING")})
        if (SqlWordAt(text, pos, word, TWordFollow::BlankOrBracket) ||
            (i + word.size() == text.size() && SqlWordAt(text, pos, word, TWordFollow::WordEnd)))
            return true;
    return false;
}

// Drops each ON / USING condition up to the next list comma, in one pass. Brackets are copied
// whole: a join inside a derived table is no join of this list.
std::string RemoveJoinConditions(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (JoinConditionAt(text, i)) {
            i = NextListComma(text, i);
        } else {
            const std::size_t end = SkipGroup(text, i);
            out.append(text.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

std::string Trimmed(std::string s) {
    TrimInPlace(s);
    return s;
}

// A FROM item without the word AS and the blank behind it.
std::string WithoutAs(std::string item) {
    const int as = PosSQLWord("AS", item);
    if (as > 0)
        item.erase(static_cast<std::size_t>(as - 1), 3);
    return Trimmed(std::move(item));
}

// The table name of a FROM item: a quoted name with its quotes, else the first word.
std::string TableNameOfItem(const std::string& item) {
    const std::size_t quote = item.rfind('"');
    if (quote != std::string::npos)
        return item.substr(0, quote + 1);
    return item.substr(0, item.find(' '));
}
}  // namespace

std::string GetMainTableName(std::string_view sql, bool withAlias) {
    std::string target = Trimmed(TSQLParser(std::string(sql)).GetTargetTableText());
    if (withAlias)
        return target;
    // A quoted name runs to its closing quote, blanks included.
    const bool quoted = !target.empty() && target.front() == '"';
    const std::size_t begin = quoted ? 1 : 0;
    std::size_t end = begin;
    while (end < target.size() && target[end] != '"' && (quoted || !IsSqlBlank(target[end]))) ++end;
    return target.substr(begin, end - begin);
}

void FillTableNames(std::string_view sql, TStrings& list) {
    const std::string normalized = NormalizeSQL(sql, kMacroChar);
    list.SetText(GetMainTableName(normalized, false));
    if (list.Count() > 0)
        return;
    FillFromTables(normalized, list);
    for (int i = 0; i < list.Count(); ++i) list.Put(i, TableNameOfItem(list.Get(i)));
}

void FillFromTables(std::string_view sql, TStrings& list) {
    list.Clear();
    if (IsBlankStr(sql))
        return;
    TSQLParser parser(NormalizeSQL(sql, kMacroChar));
    int start = 0, end = 0;
    parser.GetFromBounds(start, end);
    if (start == 0)
        return;
    const std::string& text = parser.SQLText();
    std::string from = ReplaceStr(
        Trimmed(text.substr(static_cast<std::size_t>(start + 3), static_cast<std::size_t>(end - start - 3))),
        "\r\n", "  ");
    if (PosSQLWord("JOIN", from) > 0)
        from = JoinsToCommaList(from);
    if (from.find('(') != std::string::npos)
        StripFromListBrackets(from);
    // Items left empty by the removals name no table.
    for (std::size_t i = 0; i <= from.size();) {
        const std::size_t comma = std::min(from.find(',', i), from.size());
        std::string item = WithoutAs(from.substr(i, comma - i));
        if (!item.empty())
            list.Add(std::move(item));
        i = comma + 1;
    }
}

std::string JoinsToCommaList(std::string_view from) {
    const int join = PosSQLWord("JOIN", from);
    if (join == 0)
        return std::string(from);
    const std::size_t behind = std::min(from.size(), static_cast<std::size_t>(join - 1 + 5));
    std::string list = std::string(from.substr(0, static_cast<std::size_t>(join - 1))) + ", " +
                       std::string(from.substr(behind));
    for (std::string_view word : kJoinKindWords) list = ReplaceStrIgnoreCase(list, word, " ");
    list = ReplaceStrIgnoreCase(list, " JOIN ", " , ");
    return RemoveJoinConditions(list);
}

int StripFromListBrackets(std::string& from) {
    std::string out;
    out.reserve(from.size());
    std::size_t itemStart = 0;
    bool hasBracket = false;
    int depth = 0;
    auto endItem = [&](std::size_t end) {
        if (!hasBracket)
            out.append(from, itemStart, end - itemStart);
        hasBracket = false;
        itemStart = end;  // the comma goes with the item behind it
    };
    for (std::size_t i = 0; i < from.size();) {
        const char c = from[i];
        if (IsQuote(c)) {
            i = SkipQuoted(from, i);
            continue;
        }
        if (c == '(') {
            ++depth;
            hasBracket = true;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == ',' && depth == 0) {
            endItem(i);
        }
        ++i;
    }
    if (depth > 0)
        out.append(from, itemStart);
    else
        endItem(from.size());
    from = std::move(out);
    return depth;
}

std::string TableNameByAlias(std::string_view sql, std::string_view alias) {
    TStringList items;
    FillFromTables(sql, items);
    // The alias is the item's last word: alias X must not find the item "T XY".
    const std::string needle = " " + AsciiUpperCase(alias);
    for (int i = 0; i < items.Count(); ++i) {
        const std::string item = AsciiUpperCase(items.Get(i));
        if (item.size() > needle.size() &&
            item.compare(item.size() - needle.size(), needle.size(), needle) == 0)
            return Trimmed(items.Get(i).substr(0, item.size() - needle.size()));
    }
    return std::string(alias);
}

std::string AliasToTableName(std::string_view sql, std::string_view fieldName) {
    const std::size_t dot = fieldName.find('.');
    if (dot == std::string_view::npos)
        return std::string(fieldName);
    std::string table = TableNameByAlias(sql, fieldName.substr(0, dot));
    if (table.size() >= 2 && table.front() == '"' && table.back() == '"')
        table = table.substr(1, table.size() - 2);
    if (table.empty())
        return std::string(fieldName);
    return table + std::string(fieldName.substr(dot));
}
