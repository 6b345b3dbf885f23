#pragma once
// An XML-Schema date-time text as a TDateTime.
#include <string_view>

#include "platform/rtl/datetime.h"

// utc: the text's instant in UTC; otherwise in the machine's local time. Raises
// EXSDateTimeException on a text out of shape, EConvertError on an impossible date or time.
TDateTime XMLTimeToDateTime(std::string_view text, bool utc);
