#pragma once
// Small number routines of the database library: powers of ten, digit counts, rounding, bits,
// random values and the x87 precision control.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using Extended = long double;

constexpr std::array<std::int64_t, 19> PowersOfTen = {1LL,
                                                      10LL,
                                                      100LL,
                                                      1000LL,
                                                      10000LL,
                                                      100000LL,
                                                      1000000LL,
                                                      10000000LL,
                                                      100000000LL,
                                                      1000000000LL,
                                                      10000000000LL,
                                                      100000000000LL,
                                                      1000000000000LL,
                                                      10000000000000LL,
                                                      100000000000000LL,
                                                      1000000000000000LL,
                                                      10000000000000000LL,
                                                      100000000000000000LL,
                                                      1000000000000000000LL};

// 10^n for n in -18 .. 18; raises EInvalidOperation outside.
Extended PowerOfTen(int n);
// Decimal digits of abs(x): 0 for 0, 1 for 1-9 ... 19 for 10^18 and above.
int DigitCount(std::int64_t x);
// x rounded to n decimals: Int(x) + round(Frac(x) * 10^n) / 10^n, a tie going to the even last
// digit (2.5 gives 2, 3.5 gives 4, 1.125 to two decimals 1.12). Infinities and NaN come back as they are.
Extended RoundToDecimals(int n, Extended x);
// A decimal text (with "." and an optional exponent) to a 64-bit integer, read exactly and rounded
// half away from zero; raises EConvertError "Invalid comp value".
std::int64_t StrToComp(std::string_view s);

inline int MinInt(int a, int b) {
    return a < b ? a : b;
}
inline int SignOfInt(std::int64_t a) {
    return a < 0 ? -1 : (a > 0 ? 1 : 0);
}
// Bit n of a byte, n from 1 for the lowest bit. A byte has no bit outside 1..8: it is never set,
// and toggling it changes nothing.
inline bool BitIsSet(std::uint8_t value, int n) {
    return n >= 1 && n <= 8 && ((value >> (n - 1)) & 1);
}
inline std::uint8_t ToggleBit(std::uint8_t value, int n) {
    return n >= 1 && n <= 8 ? static_cast<std::uint8_t>(value ^ (1u << (n - 1))) : value;
}

// lo + a random integer in 0 .. hi - lo - 1 (lo itself when hi <= lo + 1).
int RandomInRange(int lo, int hi);
// n decimal digits made of random integers in 0 .. 2147483646.
std::string RandomDigitString(int n);

// Sets the precision of the x87 unit to a 64-bit mantissa, keeping its other control bits.
// Does nothing on processors without one.
void SetFPUExtendedPrecision();
// The x87 control word, or 0 where there is none.
std::uint16_t GetFPUControlWord();
