#include "firebird/scaled_int.h"

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
    return std::to_string(value);
}

std::string ScaledInt64ToStrSep(int scale, char separator, std::int64_t value) {
    if (scale > kMaxScale)
        RaiseScaleOutOfRange(scale);  // a scale of 0 or below leaves the integer as it is
    if (value == 0)
        return "0";
    std::string digits = Int64ToStrExact(value);
    if (scale <= 0)
        return digits;
    std::string sign;
    if (digits.front() == '-') {
        sign = "-";
        digits.erase(0, 1);
    }
    const int integralLength = static_cast<int>(digits.size()) - scale;
    std::string integral, fraction;
    if (integralLength <= 0) {
        integral = sign + "0";
        fraction = std::string(static_cast<std::size_t>(-integralLength), '0') + digits;
    } else {
        integral = sign + digits.substr(0, static_cast<std::size_t>(integralLength));
        fraction = digits.substr(static_cast<std::size_t>(integralLength));
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? integral : integral + separator + fraction;
}

std::string ScaledInt64ToStr(int scale, std::int64_t value) {
    return ScaledInt64ToStrSep(scale, NumberFormat().DecimalSeparator, value);
}

std::string FormatScaledInt64(std::string_view format, int scale, std::int64_t value) {
    if (scale < -kMaxScale || scale > kMaxScale)
        RaiseScaleOutOfRange(scale);
    return FormatScaled(format, value, scale, NumberFormat());
}
