#pragma once
// One logging call's record, handed to the appenders and freed after dispatch.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "platform/rtl/datetime.h"

class TLogLevel;
class TLogLogger;

class TLogEvent {
  public:
    TLogEvent(const TLogLevel* level, TLogLogger* logger, std::string_view message,
              const std::exception* error = nullptr);

    std::string ErrorMessage;
    std::string ErrorClass;
    const TLogLevel* Level;
    TLogLogger* Logger;
    std::string_view Message;  // lives as long as the logging call
    TDateTime TimeStamp;

    std::int64_t ElapsedTime() const;  // milliseconds since logging started
    std::string LoggerName() const;
    std::string NDC() const;
    std::uint32_t ThreadId() const;
};

// The class name of an exception, as the log shows it ("EConvertError").
std::string LogErrorClassName(const std::exception& error);
