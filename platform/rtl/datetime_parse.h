#pragma once
// Reading dates and times from text by the locale's settings (or a given settings record):
// numbers separated by DateSeparator in the order of ShortDateFormat (day, month, year as its
// first "d", "m" or "y" says); two numbers are day and month of the current year; a year of one
// or two digits falls in the 100 years that end 50 years from now. A time is
// hour[:min[:sec[.msec]]] with TimeSeparator, optionally with AM / PM before or after it.
// Blanks are allowed around the numbers.
#include <string_view>

#include "platform/rtl/datetime.h"
#include "platform/rtl/exceptions.h"

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);

// Raise EConvertError "'%s' is not a valid date" / "... valid time" / "... valid date and time".
TDateTime StrToDate(std::string_view s, const TFormatSettings& fs);
TDateTime StrToTime(std::string_view s, const TFormatSettings& fs);
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs);
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s);

// Settings that read back what FormatDateTime writes with a format such as "dd.mm.yyyy hh:nn": its
// order of day, month and year and its separators ("/" and ":" stay the given settings' own).
TFormatSettings FormatSettingsOfLayout(std::string_view format, const TFormatSettings& base);

constexpr int TwoDigitYearCenturyWindow = 50;
