#pragma once
// The time part of an XML-Schema value: "hh:nn:ss", an optional fraction after ".", an optional zone
// ("Z", or "+hh:mm" / "-hh:mm").
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/datetime.h"

class TXSPBaseTime {
  public:
    std::string FractionalSeconds;  // "." and the digits as written, or empty
    std::uint16_t Hour = 0;
    std::uint16_t ZoneHour = 0;  // magnitude
    std::uint16_t Minute = 0;
    std::uint16_t ZoneMinute = 0;  // magnitude
    bool ZoneNegative = false;
    std::uint16_t Second = 0;
    bool HasFraction = false;

    // Raises EXSDateTimeException on a text out of shape.
    void Parse(std::string_view text);
    void Clear();

    std::string Print() const;      // time, fraction, zone
    std::string PrintZone() const;  // "Z" when both offsets are 0

    // The signed offsets of the zone.
    int HourOffset() const;
    int MinuteOffset() const;
    int ZoneOffsetMinutes() const;

    // The time of day without the fraction; raises EConvertError for impossible fields.
    TDateTime AsTime() const;

    // Range-checked setters; they raise EXSDateTimeException.
    void SetHour(int value);
    void SetMinute(int value);
    void SetSecond(int value);
    void SetMillisecond(int value);
    // The sign of the last non-zero offset set becomes the sign of the zone.
    void SetHourOffset(int value);
    void SetMinuteOffset(int value);

  private:
    std::size_t ParseFraction(std::string_view text, std::size_t pos);
    void ParseZone(std::string_view text, std::size_t pos);
};
