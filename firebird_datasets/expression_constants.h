#pragma once
// Literals of filter expressions, read by their data type, and the error a malformed tree raises.
#include "platform/db/expr_node.h"
#include "platform/rtl/variant.h"

// Texts, integers, booleans, doubles, BCD as currency, dates (days since 0001-01-01 counted from 1),
// times (milliseconds of the day) and date-times (milliseconds since 0001-01-01, a double). Other
// types raise "Incorrectly formed filter expression".
Variant FilterConstant(const TExprNode& node);

// Raises EDatabaseError "Incorrectly formed filter expression".
[[noreturn]] void IncorrectFilterExpression();
