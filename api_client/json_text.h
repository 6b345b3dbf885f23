#pragma once
// Reading JSON values the way the server protocol expects, and writing them for the wire and the log.
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

// A string as it is; any other value as its compact JSON text.
std::string JsonAsText(const nlohmann::ordered_json& value);
// Numbers (truncated), numeric strings and booleans; 0 for anything else.
std::int32_t JsonAsInteger(const nlohmann::ordered_json& value);
// Compact, UTF-8 written as it is (no \u escapes); invalid UTF-8 is replaced, never thrown.
std::string JsonCompact(const nlohmann::ordered_json& value);
// Indented for the log, with every "password" and "token" value (any letter case, at any depth)
// written as "***".
std::string JsonForLog(const nlohmann::ordered_json& value);
