#pragma once
// One reply the test server gives, and what it received.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testpeer {

using THeaderList = std::vector<std::pair<std::string, std::string>>;

struct TScriptedReply {
    int status = 200;
    THeaderList headers;  // sent as given, names and values untouched
    std::string body;
    std::string contentType = "application/json; charset=utf-8";
    bool gzip = false;    // body compressed and marked "Content-Encoding: gzip"
    int delayMs = 0;      // wait before answering
    bool hang = false;    // never answer; the connection is released when the server stops
    std::string method;   // only for a JSON-RPC request of this method; empty: any request
    bool repeat = false;  // stays in the queue once used
};

// A JSON-RPC reply body {"jsonrpc":"2.0","id":"1","result":<resultJson>}.
TScriptedReply ResultReply(std::string_view resultJson);
// A JSON-RPC error body with code, message and, when not empty, data (as JSON).
TScriptedReply ErrorReply(int code, std::string_view message, std::string_view dataJson = {});

// The body as one gzip member (the peer's own compression, independent of the client's).
std::string GzipBody(std::string_view body);

}  // namespace testpeer
