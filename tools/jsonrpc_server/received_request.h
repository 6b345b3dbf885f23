#pragma once
// A request as the test server received it.
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "tools/jsonrpc_server/scripted_reply.h"

namespace testpeer {

struct TReceivedRequest {
    std::string requestLine;  // "POST /rest/v2/auth HTTP/1.1"
    std::string method;
    std::string target;
    std::string version;
    // Names as sent; sorted by name, since the HTTP library does not keep their order.
    THeaderList headers;
    // The body; one sent with "Content-Encoding: gzip" is recorded inflated by the HTTP library,
    // while the Content-Length header keeps the size on the wire.
    std::string body;

    // First value of the header, name compared without regard to case; empty when absent.
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
    std::size_t HeaderCount(std::string_view name) const;
    // The body as JSON (discarded when it is not JSON).
    nlohmann::ordered_json Json() const;
    // The JSON-RPC method named in the body, empty when none.
    std::string RpcMethod() const;
    // Request line, header lines and body, as a log entry.
    std::string ToText() const;
};

}  // namespace testpeer
