#pragma once
// How the kiosk reads the values of its settings file.
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

class TIniFile;

// A boolean key: read as text with the default spelled "True" or "False"; a number is true when it
// is not zero, "True" and "False" are read in any letter case, anything else (the empty text too) is false.
bool ReadIniBool(const TIniFile& ini, std::string_view section, std::string_view key, bool def);

// When the text begins with "#", every "#" in it is removed; otherwise it is returned unchanged.
std::string StripHash(std::string_view text);

// "#RRGGBB" or "RRGGBB" as a colour value $00BBGGRR; any other length gives the system colour
// $FF000009. Six characters that are not all hexadecimal digits raise EConvertError.
std::uint32_t ParseHtmlColor(std::string_view text);

// "1, 2],[3" -> "[1, 2,3]": the brackets removed and the whole enclosed once, ready for the JSON parser.
std::string UserGroupIdsText(std::string_view text);
// The text UserGroupIdsText made, read by the lenient JSON parser; null when it does not parse.
nlohmann::ordered_json ParseUserGroupIds(std::string_view jsonText);
