#include "firebird/date_text.h"

#include <array>

#include "firebird/str_basics.h"
#include "firebird/str_replace.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

std::string ReplaceMonthNames(std::string_view s) {
    static constexpr std::array<std::string_view, 12> months = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                                "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::string out = ReplaceStr(s, "-", std::string(1, FormatSettings().DateSeparator));
    for (std::size_t m = 0; m < months.size(); ++m) {
        if (out.find(months[m]) == std::string::npos)
            continue;
        const char number[3] = {static_cast<char>('0' + (m + 1) / 10), static_cast<char>('0' + (m + 1) % 10),
                                0};
        return ReplaceStr(out, months[m], number);
    }
    return out;
}

// The locale's settings are never changed: parsing uses a private copy.
std::string NormalizeDateTimeStr(std::string_view s, TDateTimeTextKind kind) {
    if (IsBlankStr(s))
        return {};
    TFormatSettings fs = FormatSettings();
    std::string text(s);
    if (kind != dtkTime) {
        if (text.find('.') != std::string::npos) {
            fs.DateSeparator = '.';
            fs.ShortDateFormat = "dd.mm.yyyy";
        } else if (text.find('/') != std::string::npos) {
            fs.DateSeparator = '/';
            fs.ShortDateFormat = "mm/dd/yyyy";
        } else if (text.find('-') != std::string::npos) {
            text = ReplaceMonthNames(text);
            fs.ShortDateFormat = "dd.mm.yyyy";
        } else {
            return AsciiUpperCase(text);
        }
    }
    fs.TimeSeparator = ':';
    fs.ShortTimeFormat = "h:m:s";
    switch (kind) {
        case dtkDate:
            return DateToStr(StrToDate(text, fs));
        case dtkTime:
            return TimeToStr(StrToTime(text, fs));
        default:
            return DateTimeToStr(StrToDateTime(text, fs));
    }
}

TDateTime StrToDateTimeByFormat(std::string_view s, std::string_view format) {
    TFormatSettings fs = FormatSettings();
    fs.ShortDateFormat = std::string(format);
    return StrToDateTime(s, fs);
}

bool IsDateKeyword(std::string_view s) {
    return StrInArray(s, {"CURRENT_TIME", "CURRENT_TIMESTAMP", "CURRENT_DATE", "NULL", "NOW", "TODAY",
                          "TOMORROW", "YESTERDAY"});
}

TTimeStamp MakeTimeStamp(int date, int time) {
    return TTimeStamp{time, date};
}

TDateTime TimeStampToDateTimeEx(const TTimeStamp& stamp) {
    if (stamp.Date != 0)
        return TimeStampToDateTime(stamp);
    if (stamp.Time < 0)
        throw EConvertError(Format("'%d.%d' is not a valid timestamp", {stamp.Date, stamp.Time}));
    return stamp.Time / MSecsPerDay;
}
