#include "firebird/scaled_int.h"

#include <charconv>
#include <iterator>

#include "platform/rtl/bcd.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/format.h"

namespace {
// The most decimal places a BCD carries. A scale beyond it is no value this library holds, and
// writing out its zeros could take gigabytes.
constexpr int kMaxScale = BcdPlacesMask;

[[noreturn]] void RaiseScaleOutOfRange(int scale) {
    throw EConvertError(Format("Scale %d lies outside -%d..%d", {scale, kMaxScale, kMaxScale}));
}
}  // namespace

std::string Int64ToStrExact(std::int64_t value) {
    std::string text;
    AppendInt64(text, value);
    return text;
}

void AppendInt64(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    out.append(digits, result.ptr);
}

std::string ScaledInt64ToStrSep(int scale, char separator, std::int64_t value) {
    std::string text;
    AppendScaledInt64(text, scale, separator, value);
    return text;
}

void AppendScaledInt64(std::string& out, int scale, char separator, std::int64_t value) {
    if (scale > kMaxScale)
        RaiseScaleOutOfRange(scale);  // a scale of 0 or below leaves the integer as it is
    if (value == 0 || scale <= 0) {
        AppendInt64(out, value);
        return;
    }
    char buffer[24];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (digits.front() == '-') {
        out += '-';
        digits.remove_prefix(1);
    }
    const auto places = static_cast<std::size_t>(scale);
    const std::size_t integralLength = digits.size() > places ? digits.size() - places : 0;
    std::string_view fraction = digits.substr(integralLength);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    if (integralLength == 0)
        out += '0';
    else
        out.append(digits.substr(0, integralLength));
    if (fraction.empty())
        return;
    out += separator;
    out.append(places - (digits.size() - integralLength), '0');
    out.append(fraction);
}

std::string ScaledInt64ToStr(int scale, std::int64_t value) {
    return ScaledInt64ToStrSep(scale, NumberFormat().DecimalSeparator, value);
}

std::string FormatScaledInt64(std::string_view format, int scale, std::int64_t value) {
    if (scale < -kMaxScale || scale > kMaxScale)
        RaiseScaleOutOfRange(scale);
    return FormatScaled(format, value, scale, NumberFormat());
}
