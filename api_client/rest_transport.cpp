#include "api_client/rest_transport.h"

#include "api_client/http_send_ex.h"
#include "api_client/json_log_text.h"
#include "api_client/json_text.h"
#include "api_client/token_cache.h"
#include "logging/logger.h"
#include "platform/os/guid.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/cursors.h"

using nlohmann::ordered_json;

namespace {

std::string& BaseUrl() {
    static std::string url;
    return url;
}

TLogLogger* Log() {
    return TLogLogger::GetLogger("RestV2");
}

// Logs how long a call took, on every path out of it.
class TDurationLog {
  public:
    explicit TDurationLog(const std::string& method) : method_(method), start_(Now()) {}
    ~TDurationLog() {
        try {
            std::string took = FormatDateTime(FormatSettings().LongTimeFormat, Now() - start_);
            Log()->Debug("Duration request to %s is %s", {method_, took});
        } catch (...) {
            // a log line must not turn a finished call into a failure
        }
    }
    TDurationLog(const TDurationLog&) = delete;
    TDurationLog& operator=(const TDurationLog&) = delete;

  private:
    const std::string& method_;
    TDateTime start_;
};

// An "error" that is not an object has no members to read: code 0, empty message and data.
ExceptionRestTransportV2 ServerError(const ordered_json& error) {
    if (!error.is_object())
        return ExceptionRestTransportV2(0, "", "");
    std::string message = error.contains("message") ? JsonAsText(error["message"]) : std::string();
    std::int32_t code = error.contains("code") ? JsonAsInteger(error["code"]) : 0;
    std::string data = error.contains("data") ? JsonAsText(error["data"]) : std::string();
    return ExceptionRestTransportV2(code, std::move(message), std::move(data));
}

[[noreturn]] void RaiseHttpFailure(const std::string& url, const ordered_json& request,
                                   const THTTPSendEx& http) {
    int status = http.EffectiveStatus();
    std::string text = http.EffectiveStatusText();
    Log()->Error("POST %s\r\nRequest: %s\r\nError %d: %s", {url, JsonForLog(request), status, text});
    throw ExceptionHttpTransport(status, text);
}

// A reply nested too deep reads as one that is not JSON.
ordered_json ParseReply(const std::string& url, const std::string& reply) {
    ordered_json json = ParseJsonReply(reply);
    if (json.is_discarded())
        throw Exception("The reply to POST " + url + " is not JSON");
    return json;
}

// The "Auth." methods: never retried, and their results (tokens) are secrets.
bool IsAuthMethod(const std::string& method) {
    return method.find("Auth.") != std::string::npos;
}

std::string RequestMethod(const ordered_json& request) {
    auto method = request.find("method");  // end() for a request that is no object
    return method != request.end() && method->is_string() ? method->get<std::string>() : std::string();
}

}  // namespace

void SetHost(const std::string& host) {
    BaseUrl() = "https://" + host + "/rest/v2";
}

std::string MethodUrl(const std::string& module) {
    return BaseUrl() + "/" + module;
}

std::string NewRequestId() {
    return GUIDToHex(CreateGUID());
}

ordered_json PostJson(const std::string& url, const ordered_json& request) {
    THTTPSendEx http;
    http.UseGzip = false;
    http.MimeType = "application/json; charset=utf-8;";
    if (IsAuthMethod(RequestMethod(request)))
        http.SecretMembers.push_back("result");
    Log()->Debug("POST " + url);
    std::string reply;
    bool ok = http.PostString(url, JsonCompact(request), reply);
    int status = http.EffectiveStatus();
    if (!ok || status < 200 || status > 299)
        RaiseHttpFailure(url, request, http);

    ordered_json json = ParseReply(url, reply);
    if (!json.is_object())
        return nullptr;
    auto error = json.find("error");
    if (error != json.end()) {
        Log()->Error("POST %s\r\nRequest: %s\r\nError: %s",
                     {url, JsonForLog(request), JsonCompactForLog(*error)});
        throw ServerError(*error);
    }
    auto result = json.find("result");
    return result != json.end() ? std::move(*result) : ordered_json();
}

ordered_json CallMethod(const std::string& module, const std::string& method, ordered_json params) {
    TScopedCursor hourglass(crHourGlass);
    TDurationLog duration(method);
    ordered_json envelope = {
        {"jsonrpc", "2.0"}, {"id", NewRequestId()}, {"method", method}, {"params", std::move(params)}};
    std::string url = MethodUrl(module);
    try {
        return PostJson(url, envelope);
    } catch (const ExceptionRestTransportV2& e) {
        // An expired token: renew it in the request and send the same request once more.
        if (e.Code != 2 || IsAuthMethod(method) || !RenewTokenIn(envelope))
            throw;
    }
    return PostJson(url, envelope);
}
