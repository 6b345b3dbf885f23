#pragma once
// Variant arrays of any dimension count: creating them, reading and writing an element by an
// index vector, and walking every element in index order (the last dimension fastest).
#include <functional>
#include <span>
#include <vector>

#include "platform/rtl/variant.h"

// One index per dimension, in dimension order.
using TArrayIndex = std::vector<int>;

// Raises "Unable to create variant array." when the array can't be made.
Variant CreateVarArrayEx(std::span<const TVarArrayBound> bounds, TVarType varType);
// Raise "Variant is not an array." and "Variant array index out of bounds.".
Variant VarArrayGetByIndex(const Variant& array, std::span<const int> indices);
void VarArrayPutByIndex(Variant& array, const Variant& value, std::span<const int> indices);

// Every index at the lower bound of its dimension.
TArrayIndex ResetArrayIndex(const Variant& array);
// Advances like an odometer; false when every index was at its upper bound.
bool NextArrayIndex(const Variant& array, TArrayIndex& index);

// The callback may clear its flag to stop the walk; the result is the last flag. An empty
// callback or a value that is not an array walks nothing.
using TArrayElementProc =
    std::function<void(const Variant& element, const TArrayIndex& index, bool& proceed)>;
bool ForEachArrayElement(const Variant& array, const TArrayElementProc& callback);
// The same walk; each element is replaced by the result the callback gives.
using TArrayMapProc =
    std::function<void(const Variant& element, Variant& result, const TArrayIndex& index, bool& proceed)>;
bool MapArrayElements(Variant& array, const TArrayMapProc& callback);

// Elements 0 .. high of two one-dimensional arrays are equal; false when one can't be read.
bool VarArraysEqual(const Variant& a, const Variant& b, int high);
