#pragma once
// The scalar functions of filter expressions: GETDATE, DATE, DAY, MONTH, YEAR, HOUR, MINUTE,
// SECOND, UPPER, LOWER, TRIM, TRIMLEFT, TRIMRIGHT and SUBSTRING. A Null argument gives Null.
#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/datetime.h"
#include "platform/rtl/variant.h"

using TDateConverter = std::function<TDateTime(std::string_view text, std::string_view format)>;

// `argument` is Empty without arguments, the value of a single one, or an array of several.
// A name outside the list raises EDatabaseError "Expression expected but <name> found".
Variant CallFilterFunction(const std::string& name, const Variant& argument,
                           const TDateConverter& dateConverter);
