#pragma once
// The tables a statement names: the target of an UPDATE, INSERT or DELETE, the tables and aliases
// of a select's FROM clause, and the table behind an alias.
#include <string>
#include <string_view>

#include "platform/rtl/string_list.h"

// The target table text, trimmed; unless withAlias, only its name (a quoted name without its
// quotes).
std::string GetMainTableName(std::string_view sql, bool withAlias);
// The main table of the normalised text, or for a select the table names of its FROM clause.
void FillTableNames(std::string_view sql, TStrings& list);
// The items of the FROM clause: a table name, or a table name and an alias (AS left out). Joins
// become list items; items with brackets (derived tables, procedure calls) are left out.
void FillFromTables(std::string_view sql, TStrings& list);
// A FROM clause with its joins written as a comma list: the join words and the ON / USING
// conditions dropped.
std::string JoinsToCommaList(std::string_view from);
// Removes every list item that holds a bracket. Returns the bracket depth reached when a "(" is not
// closed before the end; the text from that item on then stays as it was.
int StripFromListBrackets(std::string& from);
// The table of the FROM item whose alias is `alias` (A-Z in either case); alias itself when no item
// has it.
std::string TableNameByAlias(std::string_view sql, std::string_view alias);
// alias.field as table.field (the table without its enclosing double quotes); fieldName unchanged
// without a "." or when the alias gives an empty name.
std::string AliasToTableName(std::string_view sql, std::string_view fieldName);
