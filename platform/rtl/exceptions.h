#pragma once
// The runtime's own exceptions, beside the base they all derive from.
#include "platform/base/exception.h"

// The silent exception: it unwinds like any other, but the application's report shows nothing.
class EAbort : public Exception {
  public:
    EAbort() : Exception("Operation aborted") {}
    using Exception::Exception;
};

// Ends the current operation quietly (raises EAbort).
[[noreturn]] inline void Abort() {
    throw EAbort();
}

class EConvertError : public Exception {
  public:
    using Exception::Exception;
};

class EInvalidOperation : public Exception {
  public:
    using Exception::Exception;
};

class EOutOfResources : public Exception {
  public:
    using Exception::Exception;
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public Exception {
  public:
    using Exception::Exception;
};
