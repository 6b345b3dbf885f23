#include "platform/rtl/datetime.h"

#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/os/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/strings.h"

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// Whole days since 1899-12-30 and milliseconds of the day, rounded to the millisecond.
void SplitDateTime(TDateTime dt, std::int64_t& days, std::int64_t& msOfDay) {
    const std::int64_t total = std::llround(dt * MSecsPerDay);
    days = total / kMsPerDay;
    msOfDay = std::llabs(total) % kMsPerDay;
}

TDateTime FromTm(const struct tm& t, int ms) {
    return EncodeDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday) +
           EncodeTime(t.tm_hour, t.tm_min, t.tm_sec, ms);
}

}  // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    result = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + UnixDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
    if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 || msec >= 1000)
        return false;
    result = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r;
    if (!TryEncodeDate(year, month, day, r))
        throw EConvertError("Invalid argument to date encode");
    return r;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime r;
    if (!TryEncodeTime(hour, min, sec, msec, r))
        throw EConvertError("Invalid argument to time encode");
    return r;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    std::int64_t days, ms;
    SplitDateTime(dt, days, ms);
    CivilFromDays(days - UnixDateDelta, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
    std::int64_t days, ms;
    SplitDateTime(dt, days, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime dt) {
    std::int64_t days, ms;
    SplitDateTime(dt, days, ms);
    // 1899-12-30 was a Saturday (7).
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime IncDay(TDateTime dt, int days) {
    return dt + days;
}

TDateTime UnixMillisToDateTime(std::int64_t ms) {
    // Split first so that the fraction keeps its millisecond precision.
    std::int64_t days = ms / kMsPerDay, rest = ms % kMsPerDay;
    if (rest < 0)
        rest += kMsPerDay, --days;
    return static_cast<double>(days + UnixDateDelta) + static_cast<double>(rest) / MSecsPerDay;
}

std::int64_t DateTimeToUnixMillis(TDateTime dt) {
    return std::llround((dt - UnixDateDelta) * MSecsPerDay);
}

TDateTime UtcToLocal(TDateTime utc) {
    const std::int64_t ms = DateTimeToUnixMillis(utc);
    std::int64_t secs = ms / 1000, rest = ms % 1000;
    if (rest < 0)
        rest += 1000, --secs;
    time_t t = static_cast<time_t>(secs);
    struct tm local {};
    localtime_r(&t, &local);
    return FromTm(local, static_cast<int>(rest));
}

TDateTime LocalToUtc(TDateTime local) {
    int y, mo, d, h, mi, s, ms;
    DecodeDate(local, y, mo, d);
    DecodeTime(local, h, mi, s, ms);
    struct tm t {};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi, t.tm_sec = s;
    t.tm_isdst = -1;
    time_t secs = mktime(&t);
    return UnixMillisToDateTime(static_cast<std::int64_t>(secs) * 1000 + ms);
}

TDateTime Now() {
    return UtcToLocal(UnixMillisToDateTime(platform::CurrentClock().UnixMillis()));
}

TDateTime Date() {
    return std::trunc(Now());
}

TDateTime Time() {
    TDateTime n = Now();
    return n - std::trunc(n);
}

// ---- locale ----

namespace {

std::mutex g_settingsMutex;
std::unique_ptr<TFormatSettings> g_settings;

const char* kEnglishShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* kEnglishLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* kEnglishShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* kEnglishLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};

std::string LangInfo(locale_t loc, nl_item item, const char* fallback) {
    const char* v = loc ? nl_langinfo_l(item, loc) : nullptr;
    return v && *v ? std::string(v) : std::string(fallback);
}

// The first character of a strftime date format that is neither a conversion nor a letter.
char SeparatorOf(const std::string& fmt, char fallback) {
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] == '%') {
            ++i;
            continue;
        }
        if (!std::isalnum(static_cast<unsigned char>(fmt[i])))
            return fmt[i];
    }
    return fallback;
}

std::unique_ptr<TFormatSettings> LoadSettings() {
    auto fs = std::make_unique<TFormatSettings>();
    const char* name = std::getenv("LC_ALL");
    if (!name || !*name)
        name = std::getenv("LC_TIME");
    if (!name || !*name)
        name = std::getenv("LANG");
    locale_t loc = newlocale(LC_TIME_MASK, name && *name ? name : "C", static_cast<locale_t>(0));
    if (!loc)
        loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    for (int i = 0; i < 7; ++i) {
        fs->ShortDayNames[i] = LangInfo(loc, ABDAY_1 + i, kEnglishShortDays[i]);
        fs->LongDayNames[i] = LangInfo(loc, DAY_1 + i, kEnglishLongDays[i]);
    }
    for (int i = 0; i < 12; ++i) {
        fs->ShortMonthNames[i] = LangInfo(loc, ABMON_1 + i, kEnglishShortMonths[i]);
        fs->LongMonthNames[i] = LangInfo(loc, MON_1 + i, kEnglishLongMonths[i]);
    }
    fs->DateSeparator = SeparatorOf(LangInfo(loc, D_FMT, "%m/%d/%y"), '/');
    fs->TimeSeparator = SeparatorOf(LangInfo(loc, T_FMT, "%H:%M:%S"), ':');
    const std::string ds(1, fs->DateSeparator);
    fs->ShortDateFormat = "dd" + ds + "mm" + ds + "yyyy";
    if (loc)
        freelocale(loc);
    return fs;
}

}  // namespace

const TFormatSettings& FormatSettings() {
    std::lock_guard lock(g_settingsMutex);
    if (!g_settings)
        g_settings = LoadSettings();
    return *g_settings;
}

void ReloadFormatSettings() {
    std::lock_guard lock(g_settingsMutex);
    g_settings = LoadSettings();
}
