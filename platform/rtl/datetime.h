#pragma once
// TDateTime: days since 1899-12-30 as a double, the fraction being the time of day.
// "Now" comes from the platform clock (platform/os/clock.h), so tests can set it.
#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;
constexpr int UnixDateDelta = 25569;  // days from 1899-12-30 to 1970-01-01

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeDate(int year, int month, int day);          // raises EConvertError
TDateTime EncodeTime(int hour, int min, int sec, int msec);  // raises EConvertError
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
int DayOfWeek(TDateTime dt);  // 1 = Sunday .. 7 = Saturday
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
TDateTime IncDay(TDateTime dt, int days = 1);

TDateTime Now();   // local date and time
TDateTime Date();  // local date, no time
TDateTime Time();  // local time of day

// Conversions between TDateTime and Unix milliseconds (no time-zone shift).
TDateTime UnixMillisToDateTime(std::int64_t ms);
std::int64_t DateTimeToUnixMillis(TDateTime dt);
// Local <-> UTC by the zone's rules for the instant itself (TZ environment).
TDateTime UtcToLocal(TDateTime utc);
TDateTime LocalToUtc(TDateTime local);

// Names and separators of the process locale (LC_TIME), loaded on first use.
struct TFormatSettings {
    std::string ShortDayNames[7];  // Sunday first
    std::string LongDayNames[7];
    std::string ShortMonthNames[12];
    std::string LongMonthNames[12];
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongDateFormat = "dddd, d mmmm yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
};
const TFormatSettings& FormatSettings();
void ReloadFormatSettings();  // re-reads the locale, e.g. after setlocale in a test

// The platform's date-time formatting: d dd ddd dddd ddddd dddddd, m mm mmm mmmm, yy yyyy, h hh,
// n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, "/" and ":" separators, quoted literals ('..' ".."),
// letters in either case; "m"/"mm" right after an hour token means minutes.
std::string FormatDateTime(std::string_view format, TDateTime dt);
std::string DateToStr(TDateTime dt);
std::string TimeToStr(TDateTime dt);
std::string DateTimeToStr(TDateTime dt);
// The same texts appended to out, for writers that build one text of many values.
void AppendFormatDateTime(std::string& out, std::string_view format, TDateTime dt);
void AppendDateToStr(std::string& out, TDateTime dt);
void AppendTimeToStr(std::string& out, TDateTime dt);
void AppendDateTimeToStr(std::string& out, TDateTime dt);
