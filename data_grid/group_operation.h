#pragma once
// What a sum list keeps for a field, and the fixed-point arithmetic its totals use: 64-bit counts
// of 1/10000, four decimal places, so that totals of money add up without drift.
#include <cstdint>

class Variant;

enum TGroupOperation { goSum, goAvg, goCount };

namespace fixed_point {

inline constexpr std::int64_t Scale = 10000;

// A value as a fixed-point count: floats rounded to the nearest unit (halves to even). Raises
// EVariantOverflowError for a value outside the range.
std::int64_t FromVariant(const Variant& Value);
// Sums and differences that raise EVariantOverflowError instead of wrapping.
std::int64_t Add(std::int64_t A, std::int64_t B);
std::int64_t Subtract(std::int64_t A, std::int64_t B);
// Total / Count rounded to the nearest unit (halves to even, as floats enter); 0 when Count is 0.
std::int64_t Average(std::int64_t Total, std::int32_t Count);

}  // namespace fixed_point
