#include "common/xsp_base_time.h"

#include "common/xs_date_time_exception.h"
#include "common/xs_digits.h"
#include "platform/rtl/format.h"

namespace {

constexpr std::size_t kHourMinuteSecondLength = 8;

[[noreturn]] void RaiseInvalidTime(std::string_view text) {
    throw EXSDateTimeException(Format("Invalid time string: %s", {text}));
}

[[noreturn]] void RaiseInvalidOffset() {
    throw EXSDateTimeException("Hour Offset portion of time invalid");
}

void CheckRange(int value, int low, int high, const char* message) {
    if (value < low || value > high) {
        throw EXSDateTimeException(Format(message, {value}));
    }
}

}  // namespace

void TXSPBaseTime::Clear() {
    *this = TXSPBaseTime();
}

void TXSPBaseTime::Parse(std::string_view text) {
    if (text.size() < kHourMinuteSecondLength || !xs::DigitsAt(text, 0, 2) || !xs::DigitsAt(text, 3, 2) ||
        !xs::DigitsAt(text, 6, 2)) {
        RaiseInvalidTime(text);
    }
    Clear();
    Hour = static_cast<std::uint16_t>(xs::DigitsValue(text, 0, 2));
    Minute = static_cast<std::uint16_t>(xs::DigitsValue(text, 3, 2));
    Second = static_cast<std::uint16_t>(xs::DigitsValue(text, 6, 2));
    ParseZone(text, ParseFraction(text, kHourMinuteSecondLength));
}

std::size_t TXSPBaseTime::ParseFraction(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || text[pos] != '.') {
        return pos;
    }
    std::size_t end = pos + 1;
    while (end < text.size() && xs::IsDigit(text[end])) {
        ++end;
    }
    if (end == pos + 1) {
        RaiseInvalidTime(text);
    }
    FractionalSeconds = std::string(text.substr(pos, end - pos));
    HasFraction = true;
    return end;
}

void TXSPBaseTime::ParseZone(std::string_view text, std::size_t pos) {
    // Anything but a sign here ("Z", a blank, nothing) means no offset.
    if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) {
        return;
    }
    if (!xs::DigitsAt(text, pos + 1, 2) || !xs::DigitsAt(text, pos + 4, 2)) {
        RaiseInvalidOffset();
    }
    int minutes = xs::DigitsValue(text, pos + 4, 2);
    if (minutes > 59) {
        RaiseInvalidOffset();
    }
    ZoneNegative = text[pos] == '-';
    ZoneHour = static_cast<std::uint16_t>(xs::DigitsValue(text, pos + 1, 2));
    ZoneMinute = static_cast<std::uint16_t>(minutes);
}

std::string TXSPBaseTime::Print() const {
    return xs::ZeroPad(Hour, 2) + ":" + xs::ZeroPad(Minute, 2) + ":" + xs::ZeroPad(Second, 2) +
           FractionalSeconds + PrintZone();
}

std::string TXSPBaseTime::PrintZone() const {
    if (ZoneHour == 0 && ZoneMinute == 0) {
        return "Z";
    }
    return std::string(ZoneNegative ? "-" : "+") + xs::ZeroPad(ZoneHour, 2) + ":" +
           xs::ZeroPad(ZoneMinute, 2);
}

int TXSPBaseTime::HourOffset() const {
    return ZoneNegative ? -ZoneHour : ZoneHour;
}

int TXSPBaseTime::MinuteOffset() const {
    return ZoneNegative ? -ZoneMinute : ZoneMinute;
}

int TXSPBaseTime::ZoneOffsetMinutes() const {
    return HourOffset() * 60 + MinuteOffset();
}

TDateTime TXSPBaseTime::AsTime() const {
    return EncodeTime(Hour, Minute, Second, 0);
}

void TXSPBaseTime::SetHour(int value) {
    CheckRange(value, 0, 23, "Invalid hour: %d");
    Hour = static_cast<std::uint16_t>(value);
}

void TXSPBaseTime::SetMinute(int value) {
    CheckRange(value, 0, 59, "Invalid minute: %d");
    Minute = static_cast<std::uint16_t>(value);
}

void TXSPBaseTime::SetSecond(int value) {
    CheckRange(value, 0, 59, "Invalid second: %d");
    Second = static_cast<std::uint16_t>(value);
}

void TXSPBaseTime::SetMillisecond(int value) {
    CheckRange(value, 0, 999, "Invalid millisecond: %d");
    FractionalSeconds = std::string(".").append(xs::ZeroPad(value, 3));
    HasFraction = true;
}

void TXSPBaseTime::SetHourOffset(int value) {
    CheckRange(value, -12, 12, "Invalid hour offset: %d");
    ZoneHour = static_cast<std::uint16_t>(value < 0 ? -value : value);
    if (value != 0) {
        ZoneNegative = value < 0;
    }
}

void TXSPBaseTime::SetMinuteOffset(int value) {
    CheckRange(value, -59, 59, "Invalid minute: %d");
    ZoneMinute = static_cast<std::uint16_t>(value < 0 ? -value : value);
    if (value != 0) {
        ZoneNegative = value < 0;
    }
}
