#pragma once
// JSON values as log text: every "password" and "token" value (any letter case, at any depth)
// written as "***", and no more than kJsonLogLimit bytes of the value, so that what a server sends
// cannot make a log line of any size. Written without recursion and without copying the value.
#include <cstddef>
#include <string>

#include <nlohmann/json_fwd.hpp>

constexpr std::size_t kJsonLogLimit = 4096;
// Ends a text cut at kJsonLogLimit bytes (on a character boundary).
inline constexpr const char* kJsonLogCutMark = " ... (cut)";

// Indented by two blanks per level, as the requests are logged.
std::string JsonForLog(const nlohmann::ordered_json& value);
// On one line, as the server's errors are logged.
std::string JsonCompactForLog(const nlohmann::ordered_json& value);
