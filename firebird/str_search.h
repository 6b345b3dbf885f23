#pragma once
// Searching in texts. Positions are 1-based and 0 means "not found".
#include <bitset>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>

using TCharSet = std::bitset<256>;
TCharSet MakeCharSet(std::string_view chars);
inline bool InSet(const TCharSet& set, char c) {
    return set[static_cast<unsigned char>(c)];
}

int PosChar(char ch, std::string_view s);
int PosAnyChar(std::span<const char> chars, std::string_view s);  // the first of any of them
int PosAnyChar(std::initializer_list<char> chars, std::string_view s);
int PosIgnoreCase(std::string_view sub, std::string_view s);  // A-Z folded
int PosFrom(std::string_view sub, std::string_view s, int start);
// The first position at or after start where sub lies wholly within the first `last` characters of s.
int PosFromTo(std::string_view sub, std::string_view s, int start, int last);
// The first occurrence of sub standing as a word: at the start of s or behind a character of
// `before`, and at the end of s or in front of a character of `after`.
int PosWord(std::string_view sub, std::string_view s, const TCharSet& before, const TCharSet& after);
// PosWord on upper-cased copies (AnsiUpperCase when ansi, else A-Z only).
int PosWordIgnoreCase(std::string_view sub, std::string_view s, const TCharSet& before, bool ansi,
                      const TCharSet& after);

// Words are runs of characters outside `delims`. The n-th word (from 1); s itself when it holds no
// word and n is 1; empty when there are fewer than n words.
std::string ExtractWordN(int n, std::string_view s, const TCharSet& delims);
int WordCountBySet(std::string_view s, const TCharSet& delims);

// Split at the first "="; without one the whole text is the name and the value is empty.
void SplitNameValue(std::string_view s, std::string& name, std::string& value);
std::string ValueOfPair(std::string_view s);
// s without one pair of enclosing quotes (single or double), skipping spaces, tabs, CR and LF at
// both ends and quotes of the other kind at the start; s unchanged when there is no such pair.
std::string StripQuotes(std::string_view s);
