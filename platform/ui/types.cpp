#include "platform/ui/types.h"

#include <cstdint>

int MulDiv(int value, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    bool negative = (product < 0) != (denominator < 0);
    std::int64_t magnitude = (product < 0 ? -product : product) + half;
    std::int64_t quotient = magnitude / (denominator < 0 ? -std::int64_t{denominator} : denominator);
    return static_cast<int>(negative ? -quotient : quotient);
}
