#pragma once
// Failures raised by the logging framework itself.
#include "platform/rtl/exceptions.h"

class ELogException : public Exception {
  public:
    using Exception::Exception;
};

// A log file that cannot be opened, written or rolled over; ErrorCode is the system's errno (0 if none).
class ELogFileError : public ELogException {
  public:
    ELogFileError(std::string message, int errorCode)
        : ELogException(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};

// Ends a logging call quietly, like the platform's silent abort: callers are expected to ignore it.
class ELogAbort : public ELogException {
  public:
    using ELogException::ELogException;
};
