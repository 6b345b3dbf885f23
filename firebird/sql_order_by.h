#pragma once
// The sort order a select asks for, read from its ORDER BY list.
#include <string_view>

#include "platform/rtl/variant.h"

// A two-dimensional array [0..Count - 1, 0..1]: for each item of the top-level ORDER BY list its
// field name ([I, 0], without double quotes, COLLATE and the direction) and whether it sorts
// ascending ([I, 1]). Unassigned when the select has no ORDER BY or it lists nothing.
Variant GetOrderByFields(std::string_view sql);
