#include "platform/rtl/datetime_parse.h"

#include <cctype>
#include <cmath>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

namespace {

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(std::string_view shortDateFormat) {
    for (char c : shortDateFormat) {
        switch (std::toupper(static_cast<unsigned char>(c))) {
            case 'D':
                return DateOrder::DMY;
            case 'M':
                return DateOrder::MDY;
            case 'Y':
                return DateOrder::YMD;
            default:
                break;
        }
    }
    return DateOrder::MDY;
}

// A cursor over the text; every scan skips the blanks in front of what it reads.
class Scanner {
  public:
    explicit Scanner(std::string_view s) : s_(s) {}

    void SkipBlanks() {
        while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) <= 32) ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= s_.size();
    }
    bool Number(int& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
            if (digits >= 9)
                return false;  // beyond any date or time field
            value = value * 10 + (s_[pos_++] - '0');
            ++digits;
        }
        return digits > 0;
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        SkipBlanks();
        if (word.empty() || s_.size() - pos_ < word.size())
            return false;
        if (!SameText(s_.substr(pos_, word.size()), word))
            return false;
        pos_ += word.size();
        return true;
    }
    std::size_t Position() const { return pos_; }
    void SetPosition(std::size_t p) { pos_ = p; }

  private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

int CurrentYear() {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

int WidenYear(int year) {
    const int centuryBase = CurrentYear() - TwoDigitYearCenturyWindow;
    year += centuryBase / 100 * 100;
    if (year < centuryBase)
        year += 100;
    return year;
}

bool ScanDate(Scanner& sc, const TFormatSettings& fs, TDateTime& value) {
    int n1, n2, n3, l1, l2, l3;
    if (!(sc.Number(n1, l1) && sc.Char(fs.DateSeparator) && sc.Number(n2, l2)))
        return false;
    const DateOrder order = OrderOf(fs.ShortDateFormat);
    int y, m, d;
    if (sc.Char(fs.DateSeparator)) {
        if (!sc.Number(n3, l3))
            return false;
        int yearDigits;
        switch (order) {
            case DateOrder::MDY:
                y = n3, yearDigits = l3, m = n1, d = n2;
                break;
            case DateOrder::DMY:
                y = n3, yearDigits = l3, m = n2, d = n1;
                break;
            default:
                y = n1, yearDigits = l1, m = n2, d = n3;
                break;
        }
        if (yearDigits <= 2)
            y = WidenYear(y);
    } else {
        y = CurrentYear();
        if (order == DateOrder::DMY) {
            d = n1, m = n2;
        } else {
            m = n1, d = n2;
        }
    }
    sc.Char(fs.DateSeparator);
    return TryEncodeDate(y, m, d, value);
}

int ScanAmPm(Scanner& sc, const TFormatSettings& fs) {
    if (sc.Word(fs.TimeAMString) || sc.Word("AM"))
        return 0;
    if (sc.Word(fs.TimePMString) || sc.Word("PM"))
        return 12;
    return -1;
}

bool ScanTime(Scanner& sc, const TFormatSettings& fs, TDateTime& value) {
    int baseHour = ScanAmPm(sc, fs);
    int hour, min = 0, sec = 0, msec = 0, digits;
    if (!sc.Number(hour, digits))
        return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(min, digits))
            return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(sec, digits))
                return false;
            if (sc.Char('.') && !sc.Number(msec, digits))
                return false;
        }
    }
    if (baseHour < 0)
        baseHour = ScanAmPm(sc, fs);
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        hour = (hour == 12 ? 0 : hour) + baseHour;
    }
    return TryEncodeTime(hour, min, sec, msec, value);
}

// The character after the first run of a letter in a format, or 0 when the letter is absent or
// nothing separates the run from what follows.
char SeparatorAfter(std::string_view format, char letter) {
    std::size_t i = 0;
    while (i < format.size() && std::toupper(static_cast<unsigned char>(format[i])) != letter) ++i;
    while (i < format.size() && std::toupper(static_cast<unsigned char>(format[i])) == letter) ++i;
    if (i >= format.size() || std::isalnum(static_cast<unsigned char>(format[i])) || format[i] == '\'' ||
        format[i] == '"')
        return 0;
    return format[i];
}

[[noreturn]] void RaiseNot(std::string_view s, const char* what) {
    throw EConvertError(Format("'%s' is not a valid %s", {s, what}));
}

}  // namespace

TFormatSettings FormatSettingsOfLayout(std::string_view format, const TFormatSettings& base) {
    TFormatSettings fs = base;
    fs.ShortDateFormat = std::string(format);
    for (char letter : {'D', 'M', 'Y'})
        if (const char sep = SeparatorAfter(format, letter); sep != 0 && sep != ' ') {
            fs.DateSeparator = sep == '/' ? base.DateSeparator : sep;
            break;
        }
    if (const char sep = SeparatorAfter(format, 'H'); sep != 0 && sep != ' ')
        fs.TimeSeparator = sep == ':' ? base.TimeSeparator : sep;
    return fs;
}

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc(s);
    TDateTime d;
    if (!ScanDate(sc, fs, d) || !sc.AtEnd())
        return false;
    value = d;
    return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc(s);
    TDateTime t;
    if (!ScanTime(sc, fs, t) || !sc.AtEnd())
        return false;
    value = t;
    return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc(s);
    TDateTime d, t = 0;
    if (!ScanDate(sc, fs, d))
        return TryStrToTime(s, value, fs);
    if (!sc.AtEnd() && !(ScanTime(sc, fs, t) && sc.AtEnd()))
        return false;
    value = d >= 0 ? d + t : d - t;
    return true;
}

bool TryStrToDate(std::string_view s, TDateTime& value) {
    return TryStrToDate(s, value, FormatSettings());
}
bool TryStrToTime(std::string_view s, TDateTime& value) {
    return TryStrToTime(s, value, FormatSettings());
}
bool TryStrToDateTime(std::string_view s, TDateTime& value) {
    return TryStrToDateTime(s, value, FormatSettings());
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToDate(s, v, fs))
        RaiseNot(s, "date");
    return v;
}

TDateTime StrToTime(std::string_view s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToTime(s, v, fs))
        RaiseNot(s, "time");
    return v;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToDateTime(s, v, fs))
        RaiseNot(s, "date and time");
    return v;
}

TDateTime StrToDate(std::string_view s) {
    return StrToDate(s, FormatSettings());
}
TDateTime StrToTime(std::string_view s) {
    return StrToTime(s, FormatSettings());
}
TDateTime StrToDateTime(std::string_view s) {
    return StrToDateTime(s, FormatSettings());
}
