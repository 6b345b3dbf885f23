#pragma once
// A decimal number as a digit string: exact texts for floating-point formatting and exact
// decimal <-> scaled-integer conversions, so that money values never pass through a float.
#include <cstdint>
#include <string>
#include <string_view>

struct DecimalDigits {
    bool negative = false;
    std::string digits;  // significant digits, no leading or trailing zeros; empty for zero
    int exponent = 0;    // value = 0.digits * 10^exponent

    bool IsZero() const { return digits.empty(); }
    // Rounds half away from zero to `places` digits after the decimal point.
    void RoundToPlaces(int places);
    // Keeps at most `count` significant digits, rounding half away from zero.
    void RoundToSignificant(int count);
    // The digits before the decimal point ("" for a value below 1) and `places` digits after it.
    std::string IntegerDigits() const;
    std::string FractionDigits(int places) const;
};

// The shortest digits that read back as the same double.
DecimalDigits DecimalFromDouble(double value);
DecimalDigits DecimalFromInt64(std::int64_t value, int scale = 0);  // value / 10^scale

// Reads [blanks] [sign] digits [separator digits] [e|E [sign] digits] [blanks]; false on anything else.
bool TryParseDecimal(std::string_view text, char decimalSeparator, DecimalDigits& result);

// value * 10^scale rounded half away from zero; false when it does not fit in 64 bits.
bool DecimalToScaledInt64(const DecimalDigits& d, int scale, std::int64_t& value);
