#pragma once
// The two failures of a server call: the server's JSON-RPC error, and a failed HTTP exchange.
#include <cstdint>
#include <string>

#include "platform/rtl/exceptions.h"

// The reply's "error" object: its "message", "code" (0 when absent) and "data" as text.
class ExceptionRestTransportV2 : public Exception {
  public:
    ExceptionRestTransportV2(std::int32_t code, std::string message, std::string data)
        : Exception(std::move(message)), Code(code), Data(std::move(data)) {}
    std::int32_t Code;
    std::string Data;
};

// A failed transfer or a status outside 200-299: the effective status and its text.
class ExceptionHttpTransport : public Exception {
  public:
    ExceptionHttpTransport(std::int32_t code, std::string message)
        : Exception(std::move(message)), Code(code) {}
    std::int32_t Code;
};
