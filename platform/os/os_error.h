#pragma once
// EOSError: a failure of the operating system, carrying its error code (0 when the call reports
// none) and the system's own text.
#include <string>

#include "platform/base/exception.h"

class EOSError : public Exception {
  public:
    EOSError(std::string message, int errorCode = 0) : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};
