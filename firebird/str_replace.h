#pragma once
// Replacing every non-overlapping occurrence of a text, left to right.
#include <string>
#include <string_view>

std::string ReplaceStr(std::string_view s, std::string_view oldText, std::string_view newText);
// Occurrences found in AnsiUpperCase copies; the unchanged stretches keep their case.
std::string ReplaceStrIgnoreCase(std::string_view s, std::string_view oldText, std::string_view newText);
// The engine of both: occurrences of searchOld are found in searchText, which has the byte
// positions of s; the stretches between them are copied from s.
std::string ReplaceAllFound(std::string_view s, std::string_view searchText, std::string_view searchOld,
                            std::string_view newText);
