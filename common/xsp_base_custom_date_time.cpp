#include "common/xsp_base_custom_date_time.h"

#include "common/wall_seconds.h"
#include "common/xs_date_time_exception.h"
#include "platform/os/sysinfo.h"
#include "platform/rtl/format.h"

namespace {

bool IsLeap(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool IsCalendarMonth(int month) {
    return month >= 1 && month <= 12;
}

// A month outside 1-12 has no length: such a month is refused rather than looked up.
int DaysIn(std::int64_t year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!IsCalendarMonth(month)) {
        throw EXSDateTimeException(Format("Invalid month: %d", {month}));
    }
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// In 64 bits: a year of many digits does not fit the int that SetYear takes.
void StepYear(TXSPBaseDate& date, int step) {
    const std::int64_t year = date.SignedYear() + step;
    const std::uint64_t magnitude = year < 0 ? 0 - static_cast<std::uint64_t>(year) : year;
    date.NegativeYear = year < 0;
    date.Year = static_cast<std::int32_t>(magnitude % 10000);
    date.Century = static_cast<std::uint32_t>(magnitude / 10000);
}

// A date alone is read in UTC, so the UTC zone may follow it; any other zone would be lost.
std::string_view WithoutUtcZone(std::string_view date) {
    return !date.empty() && date.back() == 'Z' ? date.substr(0, date.size() - 1) : date;
}

// Widens the date's accepted month and day ranges while it is being normalised.
class AdjustMarginScope {
  public:
    explicit AdjustMarginScope(TXSPBaseDate& date) : date_(date) { date_.AdjustMargin = 1; }
    ~AdjustMarginScope() { date_.AdjustMargin = 0; }
    AdjustMarginScope(const AdjustMarginScope&) = delete;
    AdjustMarginScope& operator=(const AdjustMarginScope&) = delete;

  private:
    TXSPBaseDate& date_;
};

}  // namespace

void TXSPBaseCustomDateTime::Clear() {
    FDate.Clear();
    FTime.Clear();
    FHasTime = false;
}

void TXSPBaseCustomDateTime::Parse(std::string_view text) {
    std::size_t separator = text.find('T');
    std::string_view datePart =
        separator == std::string_view::npos ? WithoutUtcZone(text) : text.substr(0, separator);
    TXSPBaseDate date;
    date.Parse(datePart);
    TXSPBaseTime time;
    if (separator != std::string_view::npos) {
        time.Parse(text.substr(separator + 1));
    }
    FDate = date;
    FTime = time;
    FHasTime = separator != std::string_view::npos;
}

std::string TXSPBaseCustomDateTime::Print() const {
    return FHasTime ? FDate.Print() + "T" + FTime.Print() : FDate.Print();
}

void TXSPBaseCustomDateTime::AdjustDateTime(int direction) {
    AdjustMarginScope margin(FDate);
    if (direction > 0) {
        CarryForward();
    } else if (direction < 0) {
        CarryBack();
    }
}

void TXSPBaseCustomDateTime::CarryForward() {
    if (FTime.Minute > 59) {
        FTime.Minute = static_cast<std::uint16_t>(FTime.Minute - 60);
        ++FTime.Hour;
    }
    if (FTime.Hour > 23) {
        FTime.Hour = static_cast<std::uint16_t>(FTime.Hour - 24);
        FDate.SetDay(FDate.Day + 1);
    }
    CarryMonthForward();
    // Month 0, or 13 left by a month of 25, has no length to overflow; the carry below settles 13.
    if (IsCalendarMonth(FDate.Month) && FDate.Day > DaysIn(FDate.SignedYear(), FDate.Month)) {
        FDate.SetDay(FDate.Day - DaysIn(FDate.SignedYear(), FDate.Month));
        FDate.SetMonth(FDate.Month + 1);
    }
    CarryMonthForward();
}

void TXSPBaseCustomDateTime::CarryMonthForward() {
    if (FDate.Month > 12) {
        FDate.SetMonth(FDate.Month - 12);
        StepYear(FDate, 1);
    }
}

void TXSPBaseCustomDateTime::CarryBack() {
    if (FDate.Month < 1) {
        FDate.SetMonth(12);
        StepYear(FDate, -1);
    }
    if (FDate.Day < 1) {
        if (FDate.Month == 1) {
            FDate.SetMonth(12);
            StepYear(FDate, -1);
        } else {
            FDate.SetMonth(FDate.Month - 1);
        }
        FDate.SetDay(DaysIn(FDate.SignedYear(), FDate.Month));
    }
}

void TXSPBaseCustomDateTime::SetDay(int value) {
    FDate.SetDay(value);
}

void TXSPBaseCustomDateTime::SetHour(int value) {
    FTime.SetHour(value);
    FHasTime = true;
}

void TXSPBaseCustomDateTime::SetHourOffset(int value) {
    FTime.SetHourOffset(value);
    FHasTime = true;
}

void TXSPBaseCustomDateTime::SetMillisecond(int value) {
    FTime.SetMillisecond(value);
    FHasTime = true;
}

void TXSPBaseCustomDateTime::SetMinute(int value) {
    FTime.SetMinute(value);
    FHasTime = true;
}

void TXSPBaseCustomDateTime::SetMinuteOffset(int value) {
    FTime.SetMinuteOffset(value);
    FHasTime = true;
}

void TXSPBaseCustomDateTime::SetMonth(int value) {
    FDate.SetMonth(value);
}

void TXSPBaseCustomDateTime::SetSecond(int value) {
    FTime.SetSecond(value);
    FHasTime = true;
}

void TXSPBaseCustomDateTime::SetYear(int value) {
    FDate.SetYear(value);
}

std::int64_t TXSPBaseCustomDateTime::UtcWallSeconds() const {
    TDateTime date = FDate.AsDate();
    static_cast<void>(FTime.AsTime());  // rejects an impossible time of day
    std::int64_t wall = ToWallSeconds(date, FTime.Hour, FTime.Minute, FTime.Second);
    return wall - static_cast<std::int64_t>(FTime.ZoneOffsetMinutes()) * 60;
}

TDateTime TXSPBaseCustomDateTime::AsUTCDateTime() const {
    return WallSecondsToDateTime(UtcWallSeconds());
}

TDateTime TXSPBaseCustomDateTime::AsDateTime() const {
    std::int64_t utc = UtcWallSeconds();
    int biasMinutes = GetTimeZoneBiasAt(WallSecondsToUnixSeconds(utc));
    return WallSecondsToDateTime(utc - static_cast<std::int64_t>(biasMinutes) * 60);
}
