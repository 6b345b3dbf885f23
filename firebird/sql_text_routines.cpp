#include "firebird/sql_text_routines.h"

#include "firebird/sql_parser.h"
#include "firebird/str_search.h"

void GetFromBounds(std::string_view sql, int& start, int& end) {
    TSQLParser(std::string(sql)).GetFromBounds(start, end);
}

std::string GetCountSQL(std::string_view sql) {
    return TSQLParser(std::string(sql)).GetCountSQL();
}

int GetMainWhereIndex(std::string_view sql) {
    return TSQLParser(std::string(sql)).MainWhereIndex();
}

int GetWhereCount(std::string_view sql) {
    return TSQLParser(std::string(sql)).WhereCount();
}

std::string GetWhereClause(std::string_view sql, int n) {
    int start = 0, end = 0;
    return GetWhereClause(sql, n, start, end);
}

std::string GetWhereClause(std::string_view sql, int n, int& start, int& end) {
    std::string text;
    TSQLParser(std::string(sql)).GetWhereClause(n, start, text, end);
    return text;
}

std::string AddToWhere(std::string_view sql, std::string_view cond, bool indent) {
    return TSQLParser(std::string(sql)).AddToWhere(cond, indent);
}

int PosSQLWord(std::string_view word, std::string_view text) {
    static const TCharSet before = MakeCharSet(" \t\r\n)");
    static const TCharSet after = MakeCharSet(" \t\r\n");
    return PosWordIgnoreCase(word, text, before, false, after);
}

int PosOrderWord(std::string_view text) {
    return PosSQLWord("ORDER", text);
}
