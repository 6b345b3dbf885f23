#pragma once
// One-shot forms of the TSQLParser operations, each on a parser of its own, and the search for an
// SQL word in a text.
#include <string>
#include <string_view>

void GetFromBounds(std::string_view sql, int& start, int& end);
std::string GetCountSQL(std::string_view sql);
int GetMainWhereIndex(std::string_view sql);
int GetWhereCount(std::string_view sql);
// The condition of the n-th WHERE clause (n = 0: the first), with its positions as
// TSQLParser::GetWhereClause gives them.
std::string GetWhereClause(std::string_view sql, int n);
std::string GetWhereClause(std::string_view sql, int n, int& start, int& end);
std::string AddToWhere(std::string_view sql, std::string_view cond, bool indent);

// The position of word in text (A-Z in either case) where it begins the text or follows a blank or
// ")", and ends the text or is followed by a blank; 0 when it does not stand there.
int PosSQLWord(std::string_view word, std::string_view text);
int PosOrderWord(std::string_view text);  // PosSQLWord of ORDER
