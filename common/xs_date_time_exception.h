#pragma once
// Raised when an XML-Schema date or time text, or a field set on one, is out of shape or range.
#include "platform/rtl/exceptions.h"

class EXSDateTimeException : public Exception {
  public:
    using Exception::Exception;
};
