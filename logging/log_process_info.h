#pragma once
// Values captured once when logging starts: the start time and who and where the program runs.
#include <string>

#include "platform/rtl/datetime.h"

struct TLogProcessInfo {
    TDateTime StartTime = 0;
    std::string Application;   // the executable's file name without its directory
    std::string UserName;      // at most 253 characters
    std::string ComputerName;  // empty when it cannot be read
};

const TLogProcessInfo& LogProcessInfo();
