// Pattern layouts from the logging configuration, compiled and run on one event.
#include <exception>

#include "logging/log_event.h"
#include "logging/log_level.h"
#include "logging/logger.h"
#include "logging/pattern_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view pattern(reinterpret_cast<const char*>(data), size);
    try {
        TLogPatternLayout layout(pattern);
        TLogEvent event(TLogLevel::Info(), TLogLogger::GetLogger("Fuzz"), "message text");
        layout.Format(event);
    } catch (const std::exception&) {
    }
    return 0;
}
