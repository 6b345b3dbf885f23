#pragma once
// The date part of an XML-Schema value: "yyyy-mm-dd", with more year digits before the last four and
// a leading "-" for a year before the common era.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/datetime.h"

class TXSPBaseDate {
  public:
    std::uint32_t Century = 0;  // the year's digits above the last four
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;
    std::int32_t Year = 0;  // the year's last four digits
    bool NegativeYear = false;
    int AdjustMargin = 0;  // 1 while a date-time is normalised: month 0-13 and day 0-32 pass

    // The whole text must be [-][century]yyyy-mm-dd; month and day ranges are left to the date-time
    // value. Raises EXSDateTimeException on a text out of shape.
    void Parse(std::string_view text);
    void Clear();
    std::string Print() const;

    std::int64_t SignedYear() const;
    // Raises EConvertError for an impossible date.
    TDateTime AsDate() const;

    void SetYear(int value);  // any year: the last four digits, the rest, the sign
    // Raise EXSDateTimeException out of range.
    void SetMonth(int value);
    void SetDay(int value);
};
