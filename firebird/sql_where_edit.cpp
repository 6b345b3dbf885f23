// Adding a condition to a statement's WHERE clause and replacing or removing a clause.
#include "firebird/sql_parser.h"
#include "firebird/str_basics.h"

int TSQLParser::InsertPointAfterFrom(int fromEnd) {
    // A comment at the end of the FROM clause stays behind the inserted WHERE, which it would
    // otherwise swallow.
    const int lastCode = lastCodePos_;
    if (lastCode > 0 && lastCode < fromEnd && !IsBlankStr(Copy(lastCode + 1, fromEnd)))
        return lastCode;
    return fromEnd;
}

std::string TSQLParser::AddToWhere(std::string_view cond, bool indent) {
    if (IsBlankStr(cond))
        return sqlText_;
    const std::string lineIndent = indent ? "\r\n    " : "";
    const int mainWhere = MainWhereIndex();
    if (mainWhere < 0) {
        int fromStart = 0, fromEnd = 0;
        GetFromBounds(fromStart, fromEnd);
        if (fromStart == 0)
            return sqlText_;
        const int at = InsertPointAfterFrom(fromEnd);
        return Copy(1, at) + " WHERE " + lineIndent + std::string(cond) + "\r\n" + Copy(at + 1, SQLLength());
    }
    int start = 0, end = 0;
    std::string oldCond;
    GetWhereClause(mainWhere, start, oldCond, end);
    if (start == 0)
        return sqlText_;
    return Copy(1, start + 4) + "( " + Copy(start + 5, end) + " )" + lineIndent + "and ( " +
           std::string(cond) + " )" + lineIndent + Copy(end + 1, SQLLength());
}

std::string TSQLParser::ReplaceWhere(int n, std::string_view cond) {
    int start = 0, end = 0;
    std::string oldCond;
    GetWhereClause(n, start, oldCond, end);
    if (start == 0)
        return sqlText_;
    std::string result = Copy(1, start - 1);
    const std::string after = Copy(end + 1, SQLLength());
    if (IsBlankStr(cond))
        return result + "\r\n" + after;
    if (start == 1 || At(start - 1) != '\n')
        result += "\r\n";
    result += "WHERE ";
    result += cond;
    if (after.empty() || after.front() != '\r')
        result += "\r\n";
    return result + after;
}

std::string TSQLParser::SetWhereText(std::string_view cond) {
    const int mainWhere = MainWhereIndex();
    return mainWhere > 0 ? ReplaceWhere(mainWhere, cond) : AddToWhere(cond, false);
}
