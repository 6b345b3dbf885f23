#include "platform/rtl/timestamp.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

TTimeStamp DateTimeToTimeStamp(TDateTime dt) {
    TTimeStamp ts;
    const double days = std::trunc(dt);
    // A day number the stamp cannot hold (or no number at all) is refused, not wrapped.
    constexpr double lastDay = std::numeric_limits<std::int32_t>::max() - DateDelta;
    if (!std::isfinite(dt) || days < -DateDelta || days > lastDay)
        throw EConvertError(Format("'%g' is not a valid date and time", {dt}));
    ts.Time = static_cast<std::int32_t>(std::llround(std::fabs(dt - days) * MSecsPerDay));
    ts.Date = DateDelta + static_cast<std::int32_t>(days);
    return ts;
}

TDateTime TimeStampToDateTime(const TTimeStamp& ts) {
    if (ts.Time < 0 || ts.Date <= 0)
        throw EConvertError(Format("'%d.%d' is not a valid timestamp", {ts.Date, ts.Time}));
    const double days = static_cast<double>(ts.Date - DateDelta);
    const double time = ts.Time / MSecsPerDay;
    return days < 0 ? days - time : days + time;
}
