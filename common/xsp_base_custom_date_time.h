#pragma once
// An XML-Schema date-time: a date, optionally "T" and a time with its zone.
#include <string>
#include <string_view>

#include "common/xsp_base_date.h"
#include "common/xsp_base_time.h"
#include "platform/rtl/datetime.h"

class TXSPBaseCustomDateTime {
  public:
    TXSPBaseCustomDateTime() = default;
    virtual ~TXSPBaseCustomDateTime() = default;

    TXSPBaseDate& Date() { return FDate; }
    const TXSPBaseDate& Date() const { return FDate; }
    TXSPBaseTime& Time() { return FTime; }
    const TXSPBaseTime& Time() const { return FTime; }
    // False for a date written without "T" and a time.
    bool HasTime() const { return FHasTime; }

    // Splits at the first "T"; a date without one may end in "Z". Raises EXSDateTimeException on a
    // text out of shape.
    void Parse(std::string_view text);
    void Clear();
    std::string Print() const;

    // Carries an overflowing minute, hour, day or month into the next larger unit, one step forward
    // (direction > 0) or back (direction < 0, for a day or month of 0).
    virtual void AdjustDateTime(int direction);

    virtual void SetDay(int value);
    virtual void SetHour(int value);
    virtual void SetHourOffset(int value);
    virtual void SetMillisecond(int value);
    virtual void SetMinute(int value);
    virtual void SetMinuteOffset(int value);
    virtual void SetMonth(int value);
    virtual void SetSecond(int value);
    virtual void SetYear(int value);

    // The wall time of the text moved by its zone offset to UTC; no zone or "Z" means UTC already.
    // Raises EConvertError for an impossible date or time.
    TDateTime AsUTCDateTime() const;
    // The instant of the text in the machine's local time, by the zone rules in force at that
    // instant (not those of today).
    TDateTime AsDateTime() const;

  private:
    std::int64_t UtcWallSeconds() const;
    void CarryForward();
    void CarryMonthForward();
    void CarryBack();

    TXSPBaseDate FDate;
    TXSPBaseTime FTime;
    bool FHasTime = false;
};

class TXSPBaseDateTime : public TXSPBaseCustomDateTime {};
