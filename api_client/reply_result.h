#pragma once
// The reply to one JSON-RPC call, read from its text alone: no network is involved, so any bytes may
// be fed to it.
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

// The reply's "result" (JSON null when the reply has none or is not an object).
// A reply with "error" is logged at error on "RestV2" (url, the request and the error, secrets
// masked and each cut at kJsonLogLimit) and raised as ExceptionRestTransportV2. A text that is not
// JSON, or nests deeper than kMaxJsonDepth, raises Exception.
nlohmann::ordered_json ReplyResult(const std::string& url, const nlohmann::ordered_json& request,
                                   std::string_view replyText);
