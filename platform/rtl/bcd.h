#pragma once
// TBcd: a packed decimal of up to 64 digits. Precision is the number of digits; the low six bits
// of SignSpecialPlaces are the digits after the decimal point, bit 6 marks a special value, bit 7
// the sign. Digit i (0 = first) is the high nibble of Fraction[i / 2] for even i, the low nibble
// for odd i.
#include <cstdint>

#include "platform/rtl/decimal_digits.h"

struct TBcd {
    std::uint8_t Precision = 0;
    std::uint8_t SignSpecialPlaces = 0;
    std::uint8_t Fraction[32] = {};
};

constexpr std::uint8_t BcdSignBit = 0x80;
constexpr std::uint8_t BcdSpecialBit = 0x40;
constexpr std::uint8_t BcdPlacesMask = 0x3F;
constexpr int MaxBcdDigits = 64;

inline int BcdPlaces(const TBcd& bcd) {
    return bcd.SignSpecialPlaces & BcdPlacesMask;
}
inline bool BcdIsNegative(const TBcd& bcd) {
    return (bcd.SignSpecialPlaces & BcdSignBit) != 0;
}
inline bool BcdIsSpecial(const TBcd& bcd) {
    return (bcd.SignSpecialPlaces & BcdSpecialBit) != 0;
}
int BcdDigit(const TBcd& bcd, int index);
void SetBcdDigit(TBcd& bcd, int index, int digit);

// The exact value; false for a malformed BCD (precision above 64, places above precision, or a
// nibble above 9). A special value reads as zero.
bool TryBcdToDecimal(const TBcd& bcd, DecimalDigits& value);
// The digits of `value` right-aligned in `precision` digits with `places` (at most 63) of them after
// the point; false when the value does not fit.
bool TryDecimalToBcd(const DecimalDigits& value, int precision, int places, TBcd& bcd);
