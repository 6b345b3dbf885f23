#pragma once
// Value comparison as the edit controls use it to tell whether a value really changed.
#include "platform/rtl/variant.h"

// Two arrays compare element by element along their first dimension; an array never equals a
// plain value; Unassigned equals only Unassigned. A comparison that fails counts as unequal.
bool VariantsEqual(const Variant& a, const Variant& b);
