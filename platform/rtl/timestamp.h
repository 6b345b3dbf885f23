#pragma once
// TTimeStamp: a date as days since 0001-01-01 counted from 1, and a time as milliseconds since
// midnight.
#include <cstdint>

#include "platform/rtl/datetime.h"
#include "platform/rtl/exceptions.h"

struct TTimeStamp {
    std::int32_t Time = 0;  // milliseconds since midnight
    std::int32_t Date = 0;  // one plus the days since 0001-01-01
    bool operator==(const TTimeStamp&) const = default;
};

constexpr std::int32_t DateDelta = 693594;  // days from 0001-01-01 to 1899-12-31

TTimeStamp DateTimeToTimeStamp(TDateTime dt);
// Raises EConvertError "'%d.%d' is not a valid timestamp" for a negative time or a date below 1.
TDateTime TimeStampToDateTime(const TTimeStamp& ts);
