#pragma once
// The kinds of value the edit controls take as a number: an image index, a calculator's result.
#include "platform/rtl/variant.h"

// A Smallint, Integer, Single, Double or Currency value; the other integer kinds do not count.
bool HoldsPlainNumber(const Variant& Value);
