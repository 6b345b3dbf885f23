#pragma once
// Scaling a size by a ratio for the grid's layout.
#include "platform/rtl/mul_div.h"

// MulDiv, except that a zero divisor (no widths to share, nothing sized yet) keeps the value instead
// of giving -1, which would hide a column.
inline int ScaleKeeping(int Value, int Numerator, int Denominator) {
    return Denominator == 0 ? Value : MulDiv(Value, Numerator, Denominator);
}
