#pragma once
// Date and time texts of the server's JSON replies as TDateTime values.
// Accepted forms, tried in this order:
//   "hh:nn:ss"                  the time of day only (date part 0)
//   "yyyy-mm-dd"                the date at midnight, not shifted
//   "dd.mm.yyyy"                the date at midnight, not shifted
//   "yyyy-mm-ddThh:nn:ss..."    an XML-Schema date-time, shifted to local time
// Any other text gives 0 (1899-12-30 00:00). A text of the right shape with impossible values raises
// (EConvertError or EXSDateTimeException).
#include <string_view>

#include "platform/rtl/datetime.h"

TDateTime JsonToDateTime(std::string_view text);

// The shape tests of the forms above.
bool IsTimeText(std::string_view text);
bool IsIsoDate(std::string_view text);
bool IsDottedDate(std::string_view text);
bool IsIsoDateTime(std::string_view text);
// Whether the whole text reads as a 32-bit integer by the platform's rule.
bool IsInteger(std::string_view text);
