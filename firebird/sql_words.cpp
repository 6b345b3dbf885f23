#include "firebird/sql_words.h"

#include <array>
#include <cstddef>

namespace {
char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

char At(std::string_view text, int pos) {
    return text[static_cast<std::size_t>(pos - 1)];
}

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

bool StatementWordAt(std::string_view text, int pos, std::string_view word) {
    return (pos == 1 || AfterBlankOrBracket(text, pos)) && SqlWordAt(text, pos, word, TWordFollow::Blank);
}

struct TEndWord {
    std::string_view Word;
    TWordFollow Follow;
};

// ROWS, OFFSET and FETCH close the clauses as well: without them an added condition would land
// behind a row limit.
constexpr std::array<TEndWord, 9> kClauseEndWords{{{"FOR", TWordFollow::Blank},
                                                   {"GROUP", TWordFollow::Blank},
                                                   {"HAVING", TWordFollow::BlankOrBracket},
                                                   {"ORDER", TWordFollow::Blank},
                                                   {"PLAN", TWordFollow::BlankOrBracket},
                                                   {"UNION", TWordFollow::Blank},
                                                   {"ROWS", TWordFollow::Blank},
                                                   {"OFFSET", TWordFollow::Blank},
                                                   {"FETCH", TWordFollow::Blank}}};
}  // namespace

bool IsSqlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsSqlOperatorChar(char c) {
    switch (c) {
        case '!':
        case '(':
        case ')':
        case '*':
        case '+':
        case ',':
        case '-':
        case '/':
        case ';':
        case '<':
        case '=':
        case '>':
        case '^':
        case '|':
        case '~':
            return true;
        default:
            return false;
    }
}

bool IsSqlIdentChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

bool SqlWordAt(std::string_view text, int pos, std::string_view upperWord, TWordFollow follow) {
    const int len = static_cast<int>(upperWord.size());
    if (pos < 1 || pos - 1 + len > Length(text))
        return false;
    for (int i = 0; i < len; ++i)
        if (UpperAscii(At(text, pos + i)) != upperWord[static_cast<std::size_t>(i)])
            return false;
    const int behind = pos + len;
    if (behind > Length(text))
        return follow == TWordFollow::WordEnd;
    const char c = At(text, behind);
    switch (follow) {
        case TWordFollow::Blank:
            return IsSqlBlank(c);
        case TWordFollow::BlankOrBracket:
            return IsSqlBlank(c) || c == '(';
        case TWordFollow::WordEnd:
            return !IsSqlIdentChar(c);
    }
    return false;
}

bool AfterBlankOrBracket(std::string_view text, int pos) {
    if (pos < 2 || pos - 1 > Length(text))
        return false;
    const char before = At(text, pos - 1);
    return IsSqlBlank(before) || before == ')';
}

bool IsSelectAt(std::string_view text, int pos) {
    return StatementWordAt(text, pos, "SELECT");
}

bool IsUpdateAt(std::string_view text, int pos) {
    return StatementWordAt(text, pos, "UPDATE");
}

bool IsDeleteAt(std::string_view text, int pos) {
    return StatementWordAt(text, pos, "DELETE");
}

bool IsInsertAt(std::string_view text, int pos) {
    return StatementWordAt(text, pos, "INSERT");
}

bool IsExecuteAt(std::string_view text, int pos) {
    return StatementWordAt(text, pos, "EXECUTE");
}

bool IsDDLAt(std::string_view text, int pos) {
    if (pos < 1 || pos > Length(text))
        return false;
    // The first letter must be upper case: "alter table" is not recognised, "ALTER table" is.
    switch (At(text, pos)) {
        case 'A':
            return StatementWordAt(text, pos, "ALTER");
        case 'C':
            return StatementWordAt(text, pos, "CREATE");
        case 'D':
            return StatementWordAt(text, pos, "DROP");
        case 'R':
            return StatementWordAt(text, pos, "RECREATE");
        default:
            return false;
    }
}

bool IsWhereAt(std::string_view text, int pos) {
    return AfterBlankOrBracket(text, pos) && SqlWordAt(text, pos, "WHERE", TWordFollow::BlankOrBracket);
}

bool ClauseEndWordAt(std::string_view text, int pos) {
    for (const TEndWord& end : kClauseEndWords)
        if (SqlWordAt(text, pos, end.Word, end.Follow))
            return true;
    // WITH LOCK, which a count may not hold; WITH alone ends nothing (STARTING WITH).
    if (!SqlWordAt(text, pos, "WITH", TWordFollow::Blank))
        return false;
    int lock = pos + 5;
    while (lock <= Length(text) && IsSqlBlank(At(text, lock))) ++lock;
    return SqlWordAt(text, lock, "LOCK", TWordFollow::WordEnd);
}

bool IsWhereEndAt(std::string_view text, int pos) {
    if (pos >= 1 && pos == Length(text))
        return true;
    return pos > 1 && pos < Length(text) && AfterBlankOrBracket(text, pos) && ClauseEndWordAt(text, pos);
}
