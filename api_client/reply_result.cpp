#include "api_client/reply_result.h"

#include <nlohmann/json.hpp>

#include "api_client/json_log_text.h"
#include "api_client/json_text.h"
#include "api_client/transport_exceptions.h"
#include "api_client/transport_log.h"

using nlohmann::ordered_json;

namespace {

// An "error" that is not an object has no members to read: code 0, empty message and data.
ExceptionRestTransportV2 ServerError(const ordered_json& error) {
    if (!error.is_object())
        return ExceptionRestTransportV2(0, "", "");
    std::string message = error.contains("message") ? JsonAsText(error["message"]) : std::string();
    std::int32_t code = error.contains("code") ? JsonAsInteger(error["code"]) : 0;
    std::string data = error.contains("data") ? JsonAsText(error["data"]) : std::string();
    return ExceptionRestTransportV2(code, std::move(message), std::move(data));
}

// Long enough for any address of the server's; a longer one is cut, so the line stays short.
constexpr std::size_t kLoggedUrlLimit = 512;

// A reply nested too deep reads as one that is not JSON; the log says which it was, on one line
// of a bounded length, whatever the reply held.
ordered_json ParseReply(const std::string& url, std::string_view replyText) {
    bool tooDeep = false;
    ordered_json reply = ParseJsonReply(replyText, tooDeep);
    if (reply.is_discarded()) {
        const std::string why =
            tooDeep ? "its arrays and objects nest deeper than " + std::to_string(kMaxJsonDepth) + " levels"
                    : "it is not JSON";
        TransportLog()->Error(
            "POST %s: reply of %d bytes refused: %s",
            {url.substr(0, kLoggedUrlLimit), static_cast<std::int64_t>(replyText.size()), why});
        throw Exception("The reply to POST " + url + " is not JSON");
    }
    return reply;
}

}  // namespace

ordered_json ReplyResult(const std::string& url, const ordered_json& request, std::string_view replyText) {
    ordered_json reply = ParseReply(url, replyText);
    if (!reply.is_object())
        return nullptr;
    auto error = reply.find("error");
    if (error != reply.end()) {
        TransportLog()->Error("POST %s\r\nRequest: %s\r\nError: %s",
                              {url, JsonForLog(request), JsonCompactForLog(*error)});
        throw ServerError(*error);
    }
    auto result = reply.find("result");
    return result != reply.end() ? std::move(*result) : ordered_json();
}
