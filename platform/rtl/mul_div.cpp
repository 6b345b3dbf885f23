#include "platform/rtl/mul_div.h"

#include <cstdint>

int MulDiv(int value, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t quotient = ((product < 0 ? -product : product) + divisor / 2) / divisor;
    return static_cast<int>(negative ? -quotient : quotient);
}
