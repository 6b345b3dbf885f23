#pragma once
// Routines over string lists: blank checks, the sort and search comparisons of the database
// library's sorted lists, and the difference of two lists.
#include <string_view>

#include "platform/rtl/string_list.h"

bool IsEmptyStrings(const TStrings& list);  // no lines, or only lines that are blank
void DeleteEmptyStrings(TStrings& list);    // deletes empty lines; lines of blanks stay

// CompareStr of the two items when the list is case-sensitive, else CompareText.
int CompareListItems(const TStringList& list, int i, int j);
// AnsiCompareStr / AnsiCompareText when ansi, else CompareStr / CompareText, by the list's case rule.
int CompareListStrings(std::string_view a, std::string_view b, bool ansi, const TStrings& list);
// Binary search of s between the indexes lo (at least 0) and hi (at most Count - 1) of a sorted
// list. index is the match or the insertion point; with duplicates accepted, the first equal item.
bool FindInSortedStrings(const TStringList& list, std::string_view s, int lo, int& index, bool ansi, int hi);
// result := the lines of a, with their objects, that b does not contain.
void StringsDifference(const TStrings& a, const TStringList& b, TStrings& result);
