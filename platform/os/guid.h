#pragma once
// GUIDs: random (version 4) values and their text forms.
#include <array>
#include <cstdint>
#include <string>

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};
    bool operator==(const TGUID&) const = default;
};

TGUID CreateGUID();
std::string GUIDToString(const TGUID& g);  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
std::string GUIDToHex(const TGUID& g);     // the 32 upper-case hexadecimal digits alone
bool TryStringToGUID(const std::string& s, TGUID& g);
