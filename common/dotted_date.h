#pragma once
// The date parser for "dd.mm.yyyy" texts: day, month and year separated by ".", each piece optionally
// preceded by blanks.
#include <string_view>

#include "platform/rtl/datetime.h"

// Raises EConvertError "'<text>' is not a valid date" for a text out of shape or an impossible date.
TDateTime DottedDateToDateTime(std::string_view text);
