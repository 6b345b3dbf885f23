#include "data_controls/variants_equal.h"

namespace {

bool SameFirstDimension(const Variant& a, const Variant& b) {
    return a.DimCount() == b.DimCount() && a.LowBound(1) == b.LowBound(1) && a.HighBound(1) == b.HighBound(1);
}

bool SingleDimensionArraysEqual(const Variant& a, const Variant& b) {
    const int low = a.LowBound(1), high = a.HighBound(1);
    if (high < low)
        return false;
    for (int i = low; i <= high; ++i)
        if (!(a[i] == b[i]))  // indexing an array of more dimensions raises: unequal
            return false;
    return true;
}

}  // namespace

bool VariantsEqual(const Variant& a, const Variant& b) {
    if (a.IsArray() != b.IsArray())
        return false;
    try {
        if (a.IsArray() && SameFirstDimension(a, b))
            return SingleDimensionArraysEqual(a, b);
        if (a.IsEmpty() != b.IsEmpty())
            return false;
        return a == b;
    } catch (...) {
        // Values that cannot be compared are not the same value.
        return false;
    }
}
