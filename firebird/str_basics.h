#pragma once
// Trimming, letter case and comparison of the database library's texts. Positions are 1-based;
// a blank is a character with a code from 0 to 32.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"

bool IsBlank(char c);
bool IsBlankStr(std::string_view s);
// last := length without trailing blanks (0 for an empty or all-blank text); first := the first
// non-blank position, 1 for an all-blank text, untouched for an empty one.
void GetTrimBounds(std::string_view s, int& first, int& last);
void TrimInPlace(std::string& s);
void TrimRightInPlace(std::string& s);
std::size_t PCharTrimRightLength(const char* p);  // 0 for nullptr
std::size_t FastStrLen(const char* p);            // 0 for nullptr

std::string AsciiUpperCase(std::string_view s);  // a-z only
void AsciiLowerCaseInPlace(std::string& s);      // A-Z only
// Exact: plain equality. Otherwise equal lengths and each pair of bytes equal or the same ASCII
// letter in the other case.
bool AsciiSameStr(std::string_view a, std::string_view b, bool exact);
// Different lengths are never equal; then AnsiCompareText when ignoreCase, else equality.
bool EqualStrings(bool ignoreCase, std::string_view a, std::string_view b);
bool StrInArray(std::string_view s, std::span<const std::string> items);
bool StrInArray(std::string_view s, std::initializer_list<std::string_view> items);
std::string IfThenStr(bool condition, std::string_view a, std::string_view b);
std::string FillString(char ch, int count);  // empty for a count below 1
// dest := at most count characters of s from position index (empty when none).
void FastCopy(std::string_view s, std::string& dest, int index, int count);
// Copies count characters of src from position from into dest at position at. Raises
// EInvalidOperation when either range lies outside its text.
void MoveSubstr(std::string_view src, std::string& dest, int from, int count, int at);
