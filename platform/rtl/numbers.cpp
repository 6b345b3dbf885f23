#include "platform/rtl/numbers.h"

#include <limits>

#include "platform/rtl/format.h"

namespace {
int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the integer rule into a magnitude with a sign; false on any stray character or overflow
// of the unsigned 64-bit magnitude.
bool ParseMagnitude(std::string_view s, bool& negative, unsigned __int128& magnitude) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true, ++i;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        hex = true, ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true, i += 2;
    }
    if (i >= s.size())
        return false;
    magnitude = 0;
    for (; i < s.size(); ++i) {
        int d = DigitValue(s[i], hex);
        if (d < 0)
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(d);
        if (magnitude > (static_cast<unsigned __int128>(1) << 64))
            return false;
    }
    return true;
}

template <typename T>
bool TryParse(std::string_view s, T& value) {
    bool negative;
    unsigned __int128 magnitude;
    if (!ParseMagnitude(s, negative, magnitude))
        return false;
    const auto maxPositive = static_cast<unsigned __int128>(std::numeric_limits<T>::max());
    if (negative ? magnitude > maxPositive + 1 : magnitude > maxPositive)
        return false;
    value = negative ? static_cast<T>(-static_cast<__int128>(magnitude)) : static_cast<T>(magnitude);
    return true;
}

[[noreturn]] void RaiseNotInteger(std::string_view s) {
    throw EConvertError(Format("'%s' is not a valid integer value", {s}));
}
}  // namespace

bool TryStrToInt(std::string_view s, std::int32_t& value) {
    return TryParse(s, value);
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
    return TryParse(s, value);
}

std::int32_t StrToInt(std::string_view s) {
    std::int32_t v;
    if (!TryStrToInt(s, v))
        RaiseNotInteger(s);
    return v;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v;
    if (!TryStrToInt64(s, v))
        RaiseNotInteger(s);
    return v;
}

std::int32_t StrToIntDef(std::string_view s, std::int32_t def) {
    std::int32_t v;
    return TryStrToInt(s, v) ? v : def;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t def) {
    std::int64_t v;
    return TryStrToInt64(s, v) ? v : def;
}
