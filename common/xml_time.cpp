#include "common/xml_time.h"

#include "common/xsp_custom_date_time.h"

TDateTime XMLTimeToDateTime(std::string_view text, bool utc) {
    TXSPDateTime value;
    value.ParseXS(text);
    return utc ? value.AsUTCDateTime() : value.AsDateTime();
}
