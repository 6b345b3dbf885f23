#include "firebird/bcd_utils.h"

#include <cstdlib>
#include <limits>

#include "platform/rtl/float_format.h"

namespace {
constexpr int BcdWorkPrecision = 32;

std::string DecimalText(const DecimalDigits& d, char separator) {
    if (d.IsZero())
        return "0";
    std::string text = d.negative ? "-" : "";
    const std::string integral = d.IntegerDigits();
    text += integral.empty() ? "0" : integral;
    const int fractionDigits = static_cast<int>(d.digits.size()) - d.exponent;
    if (fractionDigits > 0)
        text += separator + d.FractionDigits(fractionDigits);
    return text;
}

std::string BcdText(const TBcd& bcd, char separator) {
    DecimalDigits d;
    return TryBcdToDecimal(bcd, d) ? DecimalText(d, separator) : std::string();
}

DecimalDigits CheckedDecimal(const TBcd& bcd) {
    DecimalDigits d;
    if (!TryBcdToDecimal(bcd, d))
        throw EConvertError("Invalid BCD value");
    return d;
}

// Compares magnitudes of two normalised decimals.
int CompareMagnitude(const DecimalDigits& a, const DecimalDigits& b) {
    if (a.IsZero() || b.IsZero())
        return a.IsZero() == b.IsZero() ? 0 : (a.IsZero() ? -1 : 1);
    if (a.exponent != b.exponent)
        return a.exponent < b.exponent ? -1 : 1;
    const int c = a.digits.compare(b.digits);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
}  // namespace

bool ScaledInt64ToBcd(int scale, TBcd& bcd, std::int64_t value) {
    if (scale < 0 || scale > BcdWorkPrecision)
        return false;
    TBcd out;
    out.Precision = BcdWorkPrecision;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    for (int i = BcdWorkPrecision - 1; i >= 0 && magnitude > 0; --i) {
        SetBcdDigit(out, i, static_cast<int>(magnitude % 10));
        magnitude /= 10;
    }
    out.SignSpecialPlaces = static_cast<std::uint8_t>((value < 0 ? BcdSignBit : 0) + scale);
    bcd = out;
    return true;
}

bool BcdToScaledInt64(const TBcd& bcd, std::int64_t& value, int& scale) {
    scale = BcdPlaces(bcd);
    if (BcdIsSpecial(bcd)) {
        value = 0;
        return true;
    }
    if (bcd.Precision > MaxBcdDigits || BcdPlaces(bcd) > bcd.Precision)
        return false;
    unsigned __int128 magnitude = 0;
    const auto limit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) +
                       (BcdIsNegative(bcd) ? 1 : 0);
    for (int i = 0; i < bcd.Precision; ++i) {
        const int digit = BcdDigit(bcd, i);
        if (digit > 9)
            return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(digit);
        if (magnitude > limit)
            throw EBcdOverflowError("BCD value " + BcdToStrDot(bcd) + " does not fit in a 64-bit integer");
    }
    value = BcdIsNegative(bcd) ? static_cast<std::int64_t>(-static_cast<__int128>(magnitude))
                               : static_cast<std::int64_t>(magnitude);
    return true;
}

std::string BcdToStrLocal(const TBcd& bcd) {
    return BcdText(bcd, NumberFormat().DecimalSeparator);
}

std::string BcdToStrDot(const TBcd& bcd) {
    return BcdText(bcd, '.');
}

bool BcdToExtended(const TBcd& bcd, Extended& x) {
    DecimalDigits d;
    if (!TryBcdToDecimal(bcd, d))
        return false;
    if (d.IsZero()) {
        x = 0;
        return true;
    }
    // Digits and an exponent only, so the locale's decimal point plays no part.
    const int exponent = d.exponent - static_cast<int>(d.digits.size());
    const std::string text = (d.negative ? "-" : "") + d.digits + "e" + std::to_string(exponent);
    x = std::strtold(text.c_str(), nullptr);
    return true;
}

int CompareBcd(const TBcd& a, const TBcd& b) {
    const DecimalDigits x = CheckedDecimal(a), y = CheckedDecimal(b);
    if (x.negative != y.negative)
        return x.negative ? -1 : 1;
    const int c = CompareMagnitude(x, y);
    return x.negative ? -c : c;
}
