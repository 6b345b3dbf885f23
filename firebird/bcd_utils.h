#pragma once
// BCD values <-> scaled 64-bit integers, in exact integer arithmetic.
#include <cstdint>
#include <string>

#include "firebird/number_utils.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/exceptions.h"

// Raised when the digits of a BCD do not fit in a 64-bit integer.
class EBcdOverflowError : public EConvertError {
  public:
    using EConvertError::EConvertError;
};

// A BCD of precision 32 holding value's digits, read with `scale` decimal places; false for a
// scale outside 0 .. 32.
bool ScaledInt64ToBcd(int scale, TBcd& bcd, std::int64_t value);
// scale := the BCD's places; value := all its digits as one integer with its sign. A special value
// gives 0. False for a malformed BCD; raises EBcdOverflowError when the digits do not fit.
bool BcdToScaledInt64(const TBcd& bcd, std::int64_t& value, int& scale);
// The exact decimal text (any number of digits), with the locale's separator or "."; trailing
// zeros of the fraction are dropped. Empty for a malformed BCD.
std::string BcdToStrLocal(const TBcd& bcd);
std::string BcdToStrDot(const TBcd& bcd);
// The value as an extended float; false for a malformed BCD.
bool BcdToExtended(const TBcd& bcd, Extended& x);
// -1, 0 or 1, compared exactly. A malformed BCD raises EConvertError.
int CompareBcd(const TBcd& a, const TBcd& b);
