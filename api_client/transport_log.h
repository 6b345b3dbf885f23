#pragma once
// The transport's logger "RestV2", taken by name at each use.
#include "logging/logger.h"

inline TLogLogger* TransportLog() {
    return TLogLogger::GetLogger("RestV2");
}
