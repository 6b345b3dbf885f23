#pragma once
// A field's value in the raw form record buffers hold, DataSize bytes per field: texts NUL-padded,
// integers and doubles in machine order, booleans as 16-bit 0/1, BCD as a Currency integer or a
// TBcd, dates as days since 0001-01-01 (counting from 1), times as milliseconds of the day,
// date-times as a double of milliseconds, var-bytes as a 16-bit length and the bytes.
#include <cstddef>

#include "platform/rtl/variant.h"

class TField;

// Writes a non-null value into `data` (field.DataSize() bytes).
void WriteFieldBytes(const TField& field, const Variant& value, std::byte* data);
Variant ReadFieldBytes(const TField& field, const std::byte* data);
