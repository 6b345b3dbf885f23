#pragma once
// The runtime's own exceptions, beside the base they all derive from.
#include "platform/base/exception.h"

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
