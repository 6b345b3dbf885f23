#pragma once
// Date-times as whole seconds since 1899-12-30 00:00, a scale on which shifting by minutes is plain
// addition. TDateTime itself is not linear before 1899-12-30: there the time of day is a positive
// fraction of a negative day number.
#include <cstdint>

#include "platform/rtl/datetime.h"

// `date` is a whole day number as EncodeDate gives it.
std::int64_t ToWallSeconds(TDateTime date, int hour, int minute, int second);
TDateTime WallSecondsToDateTime(std::int64_t seconds);
// The same instant counted from 1970-01-01 00:00, for the time-zone rules.
std::int64_t WallSecondsToUnixSeconds(std::int64_t seconds);
