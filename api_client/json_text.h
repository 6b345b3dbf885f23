#pragma once
// Reading JSON values the way the server protocol expects, and writing them for the wire.
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

// Deepest nesting of arrays and objects a reply may have. Copying, writing and comparing a value
// recurse once per level, so a deeper reply could exhaust the stack.
constexpr int kMaxJsonDepth = 512;

// Parses leniently (comments allowed). A text that is not JSON, or whose arrays and objects nest
// deeper than kMaxJsonDepth, gives a discarded value; the parse stops at the first level too deep.
nlohmann::ordered_json ParseJsonReply(std::string_view text);
// The same, telling a reply refused for its depth from one that is not JSON.
nlohmann::ordered_json ParseJsonReply(std::string_view text, bool& tooDeep);
// A string as it is; any other value as its compact JSON text.
std::string JsonAsText(const nlohmann::ordered_json& value);
// Numbers (truncated), numeric strings and booleans; 0 for anything else.
std::int32_t JsonAsInteger(const nlohmann::ordered_json& value);
// Compact, UTF-8 written as it is (no \u escapes); invalid UTF-8 is replaced, never thrown.
std::string JsonCompact(const nlohmann::ordered_json& value);
