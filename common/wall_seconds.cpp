#include "common/wall_seconds.h"

#include <cmath>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace

std::int64_t ToWallSeconds(TDateTime date, int hour, int minute, int second) {
    auto days = static_cast<std::int64_t>(std::llround(date));
    return days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

TDateTime WallSecondsToDateTime(std::int64_t seconds) {
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    TDateTime time = EncodeTime(static_cast<int>(rest / 3600), static_cast<int>(rest % 3600 / 60),
                                static_cast<int>(rest % 60), 0);
    auto date = static_cast<TDateTime>(days);
    return days < 0 ? date - time : date + time;
}

std::int64_t WallSecondsToUnixSeconds(std::int64_t seconds) {
    return seconds - static_cast<std::int64_t>(UnixDateDelta) * kSecondsPerDay;
}
