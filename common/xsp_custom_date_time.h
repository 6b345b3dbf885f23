#pragma once
// An XML-Schema date-time kept as its text; each setter re-reads the text, changes one field and
// stores the printed result.
#include <string>
#include <string_view>

#include "common/remotable_xs.h"
#include "common/xsp_base_custom_date_time.h"
#include "platform/rtl/datetime.h"

class TXSPCustomDateTime : public TRemotableXS {
  public:
    virtual std::string PrintXS() const { return FText; }
    // Parses the text, raising EXSDateTimeException when it is out of shape, then stores it.
    virtual void ParseXS(std::string_view text);

    virtual void SetDay(int value);
    virtual void SetHour(int value);
    virtual void SetHourOffset(int value);
    virtual void SetMillisecond(int value);
    virtual void SetMinute(int value);
    virtual void SetMinuteOffset(int value);
    virtual void SetMonth(int value);
    virtual void SetSecond(int value);
    virtual void SetYear(int value);

    TDateTime AsDateTime() const;
    TDateTime AsUTCDateTime() const;

  private:
    // An empty text reads as all fields 0.
    TXSPBaseDateTime Read() const;
    template <class Setter>
    void Change(Setter setter);

    std::string FText;
};

class TXSPDateTime : public TXSPCustomDateTime {};
