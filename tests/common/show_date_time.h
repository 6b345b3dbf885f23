#pragma once
#include <string>

#include "platform/rtl/datetime.h"

inline std::string Show(TDateTime value) {
    return FormatDateTime("yyyy-mm-dd hh:nn:ss", value);
}
