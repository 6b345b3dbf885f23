#pragma once
// The SQL words that an identifier may not be written as without quotes: function names, reserved
// words and type names, in one case-insensitive list sorted by CompareListItems, with an index of
// the range of words for each pair of first letters.
#include <cstdint>
#include <string_view>

#include "platform/rtl/string_list.h"

struct SqlWordRange {
    std::int16_t First = 0;
    std::int16_t Last = 0;
};

const TStringList& SqlReservedWords();
// The range for a pair of letters A-Z; pairs that no word begins with give (0, 0), and the pair
// A, A ends with -1 so that its lookups search nothing.
SqlWordRange SqlWordIndex(char first, char second);
// The name compared without regard to case within the range of its first two letters (upper-cased
// first when allowLower); a name that does not begin with two letters A-Z is no reserved word.
bool IsSqlReservedWord(std::string_view name, bool allowLower);
