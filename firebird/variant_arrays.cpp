#include "firebird/variant_arrays.h"

#include "firebird/library_texts.h"

namespace {

// The element count of an empty dimension is 0: nothing to walk.
bool IsEmptyArray(const Variant& array) {
    for (int d = 1; d <= array.DimCount(); ++d)
        if (array.HighBound(d) < array.LowBound(d))
            return true;
    return false;
}

void CheckIndices(const Variant& array, std::span<const int> indices) {
    if (!array.IsArray())
        throw Exception(SVariantIsNotArray);
    if (static_cast<int>(indices.size()) != array.DimCount())
        throw Exception(SVariantArrayIndexOutOfBounds);
    for (int d = 1; d <= array.DimCount(); ++d) {
        const int i = indices[static_cast<std::size_t>(d - 1)];
        if (i < array.LowBound(d) || i > array.HighBound(d))
            throw Exception(SVariantArrayIndexOutOfBounds);
    }
}

}  // namespace

Variant CreateVarArrayEx(std::span<const TVarArrayBound> bounds, TVarType varType) {
    try {
        return VarArrayCreate(bounds, varType);
    } catch (const EVariantError&) {
        throw Exception(SVariantArrayCreateFailed);
    }
}

Variant VarArrayGetByIndex(const Variant& array, std::span<const int> indices) {
    CheckIndices(array, indices);
    return array.GetElement(indices);
}

void VarArrayPutByIndex(Variant& array, const Variant& value, std::span<const int> indices) {
    CheckIndices(array, indices);
    array.PutElement(indices, value);
}

TArrayIndex ResetArrayIndex(const Variant& array) {
    TArrayIndex index;
    for (int d = 1; d <= array.DimCount(); ++d) index.push_back(array.LowBound(d));
    return index;
}

bool NextArrayIndex(const Variant& array, TArrayIndex& index) {
    for (int d = static_cast<int>(index.size()); d >= 1; --d) {
        int& i = index[static_cast<std::size_t>(d - 1)];
        if (i < array.HighBound(d)) {
            ++i;
            for (int later = d + 1; later <= static_cast<int>(index.size()); ++later)
                index[static_cast<std::size_t>(later - 1)] = array.LowBound(later);
            return true;
        }
    }
    return false;
}

bool ForEachArrayElement(const Variant& array, const TArrayElementProc& callback) {
    bool proceed = true;
    if (!callback || !array.IsArray() || IsEmptyArray(array))
        return proceed;
    TArrayIndex index = ResetArrayIndex(array);
    do {
        callback(array.GetElement(index), index, proceed);
    } while (proceed && NextArrayIndex(array, index));
    return proceed;
}

bool MapArrayElements(Variant& array, const TArrayMapProc& callback) {
    bool proceed = true;
    if (!callback || !array.IsArray() || IsEmptyArray(array))
        return proceed;
    TArrayIndex index = ResetArrayIndex(array);
    do {
        Variant result = array.GetElement(index);
        callback(array.GetElement(index), result, index, proceed);
        array.PutElement(index, result);
    } while (proceed && NextArrayIndex(array, index));
    return proceed;
}

bool VarArraysEqual(const Variant& a, const Variant& b, int high) {
    try {
        for (int i = 0; i <= high; ++i) {
            const int at[] = {i};
            if (!(VarArrayGetByIndex(a, at) == VarArrayGetByIndex(b, at)))
                return false;
        }
        return true;
    } catch (const Exception&) {
        return false;
    }
}
