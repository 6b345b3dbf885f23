#pragma once
// Wildcard matching: "*" (any run) and "?" (one character) by default.
#include <string>
#include <string_view>

#include "platform/rtl/string_list.h"

// A run wildcard followed by any run of run and single wildcards becomes one run wildcard; empty
// and one-character masks come back unchanged.
std::string CompressWildcards(std::string_view mask, char run = '*', char single = '?');
// Symmetric match of two texts that may both hold wildcards.
bool WildcardMatch(std::string_view a, std::string_view b);
// The first item that WildcardMatches text (both upper-cased unless caseSensitive); -1 when none.
int IndexOfWildcard(const TStrings& list, std::string_view text, bool caseSensitive);
// One-sided match; wild[0] matches any run, wild[1] exactly one character.
bool MatchPattern(std::string_view text, std::string_view pattern, const char (&wild)[2]);
// "%" as both wildcards, so "_" is an ordinary character.
bool MatchLikePattern(std::string_view text, std::string_view pattern);
