#include "firebird/number_utils.h"

#include <cmath>
#include <random>

#include "firebird/library_texts.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

Extended PowerOfTen(int n) {
    if (n < -18 || n > 18)
        throw EInvalidOperation(Format("Power of ten %d lies outside -18..18", {n}));
    const Extended p = static_cast<Extended>(PowersOfTen[static_cast<std::size_t>(n < 0 ? -n : n)]);
    return n < 0 ? 1 / p : p;
}

int DigitCount(std::int64_t x) {
    const std::uint64_t a = x < 0 ? 0 - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
    if (a >= static_cast<std::uint64_t>(PowersOfTen[18]))
        return 19;
    int lo = 0, hi = 18;  // the first power above a
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (static_cast<std::uint64_t>(PowersOfTen[static_cast<std::size_t>(mid)]) > a) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

namespace {
// The integer nearest to `scaled`; of two equally near, the one that makes `carried` + it even.
Extended NearestTiesToEven(Extended scaled, Extended carried) {
    const Extended below = std::floor(scaled);
    if (scaled - below != 0.5L)
        return std::round(scaled);
    return std::fmod(carried + below, 2.0L) == 0 ? below : below + 1;
}
}  // namespace

Extended RoundToDecimals(int n, Extended x) {
    if (!std::isfinite(x))
        return x;
    const Extended whole = std::trunc(x);
    const Extended scale = PowerOfTen(n);
    // The last digit kept is the last of the rounded fraction, except with no decimals, where it is
    // the last of the whole part (whole x 10^n is even for n >= 1).
    const Extended carried = n == 0 ? whole : 0;
    return whole + NearestTiesToEven((x - whole) * scale, carried) / scale;
}

std::int64_t StrToComp(std::string_view s) {
    DecimalDigits d;
    std::int64_t v = 0;
    if (!TryParseDecimal(s, '.', d) || !DecimalToScaledInt64(d, 0, v))
        throw EConvertError(SInvalidCompValue);
    return v;
}

namespace {
std::mt19937& Generator() {
    thread_local std::mt19937 generator{std::random_device{}()};
    return generator;
}
}  // namespace

int RandomInRange(int lo, int hi) {
    // In 64 bits: hi - lo of two far-apart ints does not fit an int.
    const long long span = static_cast<long long>(hi) - lo;
    if (span <= 1)
        return lo;
    return static_cast<int>(lo + std::uniform_int_distribution<long long>(0, span - 1)(Generator()));
}

std::string RandomDigitString(int n) {
    std::string out;
    while (static_cast<int>(out.size()) < n)
        out += std::to_string(std::uniform_int_distribution<int>(0, 2147483646)(Generator()));
    if (n < 0)
        n = 0;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

#if defined(__i386__) || defined(__x86_64__)
std::uint16_t GetFPUControlWord() {
    std::uint16_t cw = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(cw));
    return cw;
}

void SetFPUExtendedPrecision() {
    std::uint16_t cw = GetFPUControlWord();
    cw |= 0x300;
    __asm__ __volatile__("fldcw %0" : : "m"(cw));
}
#else
std::uint16_t GetFPUControlWord() {
    return 0;
}
void SetFPUExtendedPrecision() {}
#endif
