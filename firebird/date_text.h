#pragma once
// Date texts of the database library: month abbreviations, normalising a date or time text to the
// locale's form, date keywords and time stamps.
#include <string>
#include <string_view>

#include "platform/rtl/datetime.h"
#include "platform/rtl/timestamp.h"

// Every "-" becomes the locale's date separator; then every occurrence of the first of JAN ... DEC
// (in that order, upper case only) that occurs becomes "01" ... "12".
std::string ReplaceMonthNames(std::string_view s);

enum TDateTimeTextKind { dtkDateTime = 0, dtkDate = 1, dtkTime = 2 };
// Reads s as "dd.mm.yyyy", "mm/dd/yyyy" or "dd-MON-yyyy" (with h:m:s times) and prints the value
// in the locale's own format. A blank text gives ""; a date text without any separator comes back
// upper-cased (a keyword such as NOW). Unreadable texts raise EConvertError.
std::string NormalizeDateTimeStr(std::string_view s, TDateTimeTextKind kind);
// StrToDateTime with the short date format replaced by `format`.
TDateTime StrToDateTimeByFormat(std::string_view s, std::string_view format);
// CURRENT_TIME, CURRENT_TIMESTAMP, CURRENT_DATE, NULL, NOW, TODAY, TOMORROW, YESTERDAY (upper case).
bool IsDateKeyword(std::string_view s);

TTimeStamp MakeTimeStamp(int date, int time);
// TimeStampToDateTime; a stamp with date 0 (a pure time) gives the time of day alone.
TDateTime TimeStampToDateTimeEx(const TTimeStamp& stamp);
