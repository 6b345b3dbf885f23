#include "tools/jsonrpc_server/received_request.h"

#include <strings.h>

namespace testpeer {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

std::string TReceivedRequest::Header(std::string_view name) const {
    for (const auto& [n, v] : headers)
        if (SameName(n, name))
            return v;
    return {};
}

bool TReceivedRequest::HasHeader(std::string_view name) const {
    return HeaderCount(name) > 0;
}

std::size_t TReceivedRequest::HeaderCount(std::string_view name) const {
    std::size_t count = 0;
    for (const auto& h : headers)
        if (SameName(h.first, name))
            ++count;
    return count;
}

nlohmann::ordered_json TReceivedRequest::Json() const {
    return nlohmann::ordered_json::parse(body, nullptr, false);
}

std::string TReceivedRequest::RpcMethod() const {
    auto json = Json();
    if (json.is_object() && json.contains("method") && json["method"].is_string())
        return json["method"].get<std::string>();
    return {};
}

std::string TReceivedRequest::ToText() const {
    std::string text = requestLine + "\n";
    for (const auto& [n, v] : headers) text += n + ": " + v + "\n";
    return text + "\n" + body + "\n";
}

}  // namespace testpeer
