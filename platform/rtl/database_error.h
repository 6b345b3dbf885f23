#pragma once
// EDatabaseError: the base of the errors of data access, raised by datasets and database drivers.
#include "platform/rtl/exceptions.h"

class EDatabaseError : public Exception {
  public:
    using Exception::Exception;
};
