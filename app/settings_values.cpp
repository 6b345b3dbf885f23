#include "app/settings_values.h"

#include <cstdlib>

#include <nlohmann/json.hpp>

#include "platform/rtl/inifile.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

constexpr std::uint32_t kCaptionTextColor = 0xFF000009;

bool TryReadNumber(const std::string& text, double& value) {
    std::int64_t integer;
    if (TryStrToInt64(text, integer)) {
        value = static_cast<double>(integer);
        return true;
    }
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && text.find_first_of("xXpP") == std::string::npos;
}

}  // namespace

bool ReadIniBool(const TIniFile& ini, std::string_view section, std::string_view key, bool def) {
    const std::string text = ini.ReadString(section, key, def ? "True" : "False");
    double number;
    if (TryReadNumber(text, number))
        return number != 0;
    if (SameText(text, "True"))
        return true;
    return false;
}

std::string StripHash(std::string_view text) {
    if (text.empty() || text.front() != '#')
        return std::string(text);
    std::string out;
    for (char c : text)
        if (c != '#')
            out += c;
    return out;
}

std::uint32_t ParseHtmlColor(std::string_view text) {
    const std::u32string s = Utf8ToUtf32(StripHash(text));
    if (s.size() != 6)
        return kCaptionTextColor;
    // Characters 1-2, 3-4 and 5-6 are red, green and blue; the value is $00BBGGRR.
    const std::string composed = "$00" + Utf32ToUtf8(s.substr(4, 2) + s.substr(2, 2) + s.substr(0, 2));
    return static_cast<std::uint32_t>(StrToInt(composed));
}

std::string UserGroupIdsText(std::string_view text) {
    std::string out = "[";
    for (char c : text)
        if (c != '[' && c != ']')
            out += c;
    return out + "]";
}

nlohmann::ordered_json ParseUserGroupIds(std::string_view jsonText) {
    nlohmann::ordered_json ids = nlohmann::ordered_json::parse(jsonText, nullptr, false, true);
    return ids.is_discarded() ? nullptr : ids;
}
