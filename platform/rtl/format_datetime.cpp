// FormatDateTime: the platform's date-time format tokens.
#include <cstdio>
#include <string>

#include "platform/rtl/datetime.h"

namespace {

struct Parts {
    int year, month, day, hour, minute, second, msec, dow;
};

Parts Decode(TDateTime dt) {
    Parts p{};
    DecodeDate(dt, p.year, p.month, p.day);
    DecodeTime(dt, p.hour, p.minute, p.second, p.msec);
    p.dow = DayOfWeek(dt);
    return p;
}

// Zero-padded to at least the given digits, appended; by hand, since every traced timestamp comes here.
void AppendNum(std::string& out, int v, int digits) {
    if (v < 0) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%0*d", digits, v);
        out += buf;
        return;
    }
    char buf[16];
    char* end = buf + sizeof buf;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0);
    while (end - p < digits && p > buf) *--p = '0';
    out.append(p, end);
}

// The tokens are ASCII letters; the locale's case tables are not needed (and cost a call a character).
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithNoCase(std::string_view s, std::size_t i, std::string_view word) {
    if (s.size() - i < word.size())
        return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (AsciiLower(s[i + k]) != word[k])
            return false;
    return true;
}

class DateTimeWriter {
  public:
    DateTimeWriter(std::string& out, TDateTime dt, const TFormatSettings& fs)
        : p_(Decode(dt)), fs_(fs), out_(out) {}

    // A token takes its whole run of letters ("hhh" is one hour, "zz" three-digit milliseconds).
    void Append(std::string_view format, int depth = 0) {
        const bool twelveHour = UsesTwelveHourClock(format);
        char lastToken = 0;
        std::size_t i = 0;
        while (i < format.size()) {
            char c = format[i];
            char token = AsciiUpper(c);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            std::size_t count = Repeat(format, i);
            switch (token) {
                case 'Y':
                    AppendNum(out_, count <= 2 ? p_.year % 100 : p_.year, count <= 2 ? 2 : 4);
                    i += count;
                    break;
                case 'M':
                    AppendMonth(count);
                    i += count;
                    break;
                case 'D':
                    AppendDay(count, depth);
                    i += count;
                    break;
                case 'H':
                    AppendNum(out_, twelveHour ? (p_.hour % 12 == 0 ? 12 : p_.hour % 12) : p_.hour,
                              count >= 2 ? 2 : 1);
                    i += count;
                    break;
                case 'N':
                    AppendNum(out_, p_.minute, count >= 2 ? 2 : 1);
                    i += count;
                    break;
                case 'S':
                    AppendNum(out_, p_.second, count >= 2 ? 2 : 1);
                    i += count;
                    break;
                case 'Z':
                    AppendNum(out_, p_.msec, count == 1 ? 1 : 3);
                    i += count;
                    break;
                case 'T':
                    if (depth < 2)
                        Append(count >= 2 ? fs_.LongTimeFormat : fs_.ShortTimeFormat, depth + 1);
                    i += count;
                    break;
                case 'C':
                    if (depth < 2) {
                        Append(fs_.ShortDateFormat, depth + 1);
                        if (p_.hour || p_.minute || p_.second || p_.msec) {
                            out_ += ' ';
                            Append(fs_.LongTimeFormat, depth + 1);
                        }
                    }
                    i += count;
                    break;
                case 'A':
                    i += AppendAmPm(format, i);
                    break;
                case '/':
                    out_ += fs_.DateSeparator;
                    ++i;
                    break;
                case ':':
                    out_ += fs_.TimeSeparator;
                    ++i;
                    break;
                case '"':
                case '\'': {
                    std::size_t end = format.find(c, i + 1);
                    if (end == std::string_view::npos)
                        end = format.size();
                    out_.append(format.substr(i + 1, end - i - 1));
                    i = end + 1;
                    break;
                }
                default:
                    out_ += c;
                    ++i;
            }
        }
    }

  private:
    static std::size_t Repeat(std::string_view f, std::size_t i) {
        std::size_t n = 1;
        const char lower = AsciiLower(f[i]);
        while (i + n < f.size() && AsciiLower(f[i + n]) == lower) ++n;
        return n;
    }

    static bool UsesTwelveHourClock(std::string_view f) {
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (f[i] == '"' || f[i] == '\'') {
                std::size_t end = f.find(f[i], i + 1);
                if (end == std::string_view::npos)
                    return false;
                i = end;
                continue;
            }
            if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
                StartsWithNoCase(f, i, "ampm"))
                return true;
        }
        return false;
    }

    void AppendMonth(std::size_t count) {
        if (count <= 2) {
            AppendNum(out_, p_.month, static_cast<int>(count));
        } else if (count == 3) {
            out_ += fs_.ShortMonthNames[p_.month - 1];
        } else {
            out_ += fs_.LongMonthNames[p_.month - 1];
        }
    }

    void AppendDay(std::size_t count, int depth) {
        switch (count) {
            case 1:
            case 2:
                AppendNum(out_, p_.day, static_cast<int>(count));
                break;
            case 3:
                out_ += fs_.ShortDayNames[p_.dow - 1];
                break;
            case 4:
                out_ += fs_.LongDayNames[p_.dow - 1];
                break;
            case 5:
                if (depth < 2)
                    Append(fs_.ShortDateFormat, depth + 1);
                break;
            default:
                if (depth < 2)
                    Append(fs_.LongDateFormat, depth + 1);
        }
    }

    std::size_t AppendAmPm(std::string_view f, std::size_t i) {
        const bool pm = p_.hour >= 12;
        if (StartsWithNoCase(f, i, "am/pm")) {
            out_ += pm ? f.substr(i + 3, 2) : f.substr(i, 2);
            return 5;
        }
        if (StartsWithNoCase(f, i, "a/p")) {
            out_ += pm ? f[i + 2] : f[i];
            return 3;
        }
        if (StartsWithNoCase(f, i, "ampm")) {
            out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
            return 4;
        }
        out_ += f[i];
        return 1;
    }

    Parts p_;
    const TFormatSettings& fs_;
    std::string& out_;
};

}  // namespace

void AppendFormatDateTime(std::string& out, std::string_view format, TDateTime dt) {
    DateTimeWriter w(out, dt, FormatSettings());
    w.Append(format.empty() ? std::string_view("c") : format);
}

void AppendDateToStr(std::string& out, TDateTime dt) {
    AppendFormatDateTime(out, FormatSettings().ShortDateFormat, dt);
}

void AppendTimeToStr(std::string& out, TDateTime dt) {
    AppendFormatDateTime(out, FormatSettings().LongTimeFormat, dt);
}

void AppendDateTimeToStr(std::string& out, TDateTime dt) {
    AppendFormatDateTime(out, "c", dt);
}

std::string FormatDateTime(std::string_view format, TDateTime dt) {
    std::string out;
    AppendFormatDateTime(out, format, dt);
    return out;
}

std::string DateToStr(TDateTime dt) {
    std::string out;
    AppendDateToStr(out, dt);
    return out;
}

std::string TimeToStr(TDateTime dt) {
    std::string out;
    AppendTimeToStr(out, dt);
    return out;
}

std::string DateTimeToStr(TDateTime dt) {
    std::string out;
    AppendDateTimeToStr(out, dt);
    return out;
}
