#pragma once
// Ordering of texts beside CompareText (strings.h): exact byte order, and the locale-aware orders
// of the "Ansi" routines. The locale order compares letters without regard to case first and puts
// a lower-case letter before its upper-case form only when the texts are otherwise equal, as a
// linguistic sort does.
#include <string_view>

int CompareStr(std::string_view a, std::string_view b);       // byte order, <0, 0, >0
int AnsiCompareText(std::string_view a, std::string_view b);  // ASCII, Latin-1, Cyrillic folded
int AnsiCompareStr(std::string_view a, std::string_view b);   // case decides only a tie
bool AnsiSameStr(std::string_view a, std::string_view b);
