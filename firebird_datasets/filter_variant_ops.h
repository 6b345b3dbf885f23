#pragma once
// Comparison and arithmetic of variants as filter expressions use them. Null is equal to Null and
// below every other value; Empty reads as the other side's zero or blank. A text meeting a number,
// date or boolean is read as one, and a text that has no such reading raises the variant's cast
// error. Arithmetic with Null gives Null; integers that overflow carry on as doubles.
#include "platform/db/expr_node.h"
#include "platform/rtl/variant.h"

namespace filter_variants {

// -1, 0 or 1 as a is below, equal to or above b.
int Compare(const Variant& a, const Variant& b);
bool Equal(const Variant& a, const Variant& b);
// coADD (texts are joined), coSUB, coMUL, coDIV (always a double), coMOD and coREM (integers).
// Dividing by zero raises EVariantError "Division by zero".
Variant Arithmetic(TCANOperator op, const Variant& a, const Variant& b);
Variant Negate(const Variant& v);
// Null and Empty read as false; other values by the variant's boolean reading.
bool Truth(const Variant& v);

}  // namespace filter_variants
