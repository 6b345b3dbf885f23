#pragma once
// Keyword tests of the SQL text routines at a 1-based position: letters compared one by one in
// either case, straight in the text, with no upper-cased copy. A blank here is a space, tab, CR or
// LF.
#include <string_view>

bool IsSqlBlank(char c);
// An operator character: ! ( ) * + , - / ; < = > ^ | ~
bool IsSqlOperatorChar(char c);

// What must follow a keyword for it to count.
enum class TWordFollow { Blank, BlankOrBracket, WordEnd };

// The upper-case word stands at pos (in either case) and the character behind it, which must lie
// within the text unless `follow` is WordEnd, is what `follow` asks for. WordEnd accepts the end of
// the text or any character that cannot continue an identifier.
bool SqlWordAt(std::string_view text, int pos, std::string_view upperWord, TWordFollow follow);
// pos is above 1 and the character before it is a blank or ")".
bool AfterBlankOrBracket(std::string_view text, int pos);
bool IsSqlIdentChar(char c);  // letters, digits, "_", "$"

// The statement words: at the start of the text or after a blank or ")", followed by a blank.
bool IsSelectAt(std::string_view text, int pos);
bool IsUpdateAt(std::string_view text, int pos);
bool IsDeleteAt(std::string_view text, int pos);
bool IsInsertAt(std::string_view text, int pos);
bool IsExecuteAt(std::string_view text, int pos);
// ALTER, CREATE, DROP, RECREATE with the first letter in upper case only.
bool IsDDLAt(std::string_view text, int pos);

// WHERE after a blank or ")", followed by a blank or "(".
bool IsWhereAt(std::string_view text, int pos);
// A word that ends a WHERE clause, after a blank or ")"; also true at the text's last position.
bool IsWhereEndAt(std::string_view text, int pos);
// The words that end a FROM or WHERE clause (FOR, GROUP, HAVING, ORDER, PLAN, UNION, ROWS, OFFSET,
// FETCH, WITH LOCK), each with what must follow it; the character before is not tested.
bool ClauseEndWordAt(std::string_view text, int pos);
