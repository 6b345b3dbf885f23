#include "data_grid/group_operation.h"

#include "platform/rtl/variant.h"

namespace fixed_point {

namespace {

[[noreturn]] void SumOverflow() {
    throw EVariantOverflowError("Arithmetic overflow of a sum");
}

}  // namespace

std::int64_t FromVariant(const Variant& Value) {
    return Value.AsCurrency();
}

std::int64_t Add(std::int64_t A, std::int64_t B) {
    std::int64_t out = 0;
    if (__builtin_add_overflow(A, B, &out))
        SumOverflow();
    return out;
}

std::int64_t Subtract(std::int64_t A, std::int64_t B) {
    std::int64_t out = 0;
    if (__builtin_sub_overflow(A, B, &out))
        SumOverflow();
    return out;
}

std::int64_t Average(std::int64_t Total, std::int32_t Count) {
    if (Count == 0)
        return 0;
    const std::int64_t quotient = Total / Count;
    const std::int64_t remainder = Total % Count;
    // Compared as remainder against count - remainder, so nothing is doubled and overflows.
    const std::int64_t absRemainder = remainder < 0 ? -remainder : remainder;
    const std::int64_t absCount = Count < 0 ? -static_cast<std::int64_t>(Count) : Count;
    const std::int64_t rest = absCount - absRemainder;
    // Halves go to the even neighbour, as values entering from floats do.
    if (absRemainder < rest || (absRemainder == rest && quotient % 2 == 0))
        return quotient;
    return ((Total < 0) != (Count < 0)) ? quotient - 1 : quotient + 1;
}

}  // namespace fixed_point
