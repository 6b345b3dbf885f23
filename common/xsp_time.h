#pragma once
// An XML-Schema time kept as its text.
#include <string>
#include <string_view>

#include "common/remotable_xs.h"
#include "platform/rtl/datetime.h"

class TXSPTime : public TRemotableXS {
  public:
    virtual std::string PrintXS() const { return FText; }
    // Stores the text; it is parsed when read.
    virtual void ParseXS(std::string_view text) { FText = std::string(text); }

    // The time of day of the text (hours, minutes, seconds); fraction and zone are ignored.
    // Raises EXSDateTimeException on a text out of shape, EConvertError on an impossible time.
    TDateTime AsTime() const;

  private:
    std::string FText;
};
