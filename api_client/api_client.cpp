#include "api_client/api_client.h"

#include <nlohmann/json.hpp>

#include "api_client/http_send_ex.h"
#include "api_client/json_log_text.h"
#include "api_client/json_text.h"
#include "api_client/reply_result.h"
#include "api_client/rest_transport.h"
#include "api_client/transport_log.h"
#include "platform/rtl/datetime.h"

using nlohmann::ordered_json;

namespace {

constexpr const char* kLoginMethod = "Auth.Login";

// One call as the user sees it: the busy hook told on the way in and on every way out, and how
// long the call took logged.
class TCallScope {
  public:
    TCallScope(TApiClient::TBusyHook busy, const std::string& method)
        : busy_(std::move(busy)), method_(method), start_(Now()) {
        if (busy_)
            busy_(true);
    }
    // Neither the hook nor the log line may turn a finished call into a failure.
    ~TCallScope() {
        try {
            if (busy_)
                busy_(false);
        } catch (...) {
        }
        try {
            std::string took = FormatDateTime(FormatSettings().LongTimeFormat, Now() - start_);
            TransportLog()->Debug("Duration request to %s is %s", {method_, took});
        } catch (...) {
        }
    }
    TCallScope(const TCallScope&) = delete;
    TCallScope& operator=(const TCallScope&) = delete;

  private:
    TApiClient::TBusyHook busy_;
    std::string method_;
    TDateTime start_;
};

ordered_json Envelope(const std::string& method, ordered_json params) {
    return {{"jsonrpc", "2.0"}, {"id", NewRequestId()}, {"method", method}, {"params", std::move(params)}};
}

[[noreturn]] void RaiseHttpFailure(const std::string& url, const ordered_json& request,
                                   const THTTPSendEx& http) {
    int status = http.EffectiveStatus();
    std::string text = http.EffectiveStatusText();
    TransportLog()->Error("POST %s\r\nRequest: %s\r\nError %d: %s", {url, JsonForLog(request), status, text});
    throw ExceptionHttpTransport(status, text);
}

// The "Auth." methods: never repeated, and their results (tokens) are secrets.
bool IsAuthMethod(const std::string& method) {
    return method.find("Auth.") != std::string::npos;
}

std::string RequestMethod(const ordered_json& request) {
    auto method = request.find("method");  // end() for a request that is no object
    return method != request.end() && method->is_string() ? method->get<std::string>() : std::string();
}

}  // namespace

void TApiClient::SetHost(const std::string& host) {
    baseUrl_ = "https://" + host + "/rest/v2";
}

std::string TApiClient::MethodUrl(const std::string& module) const {
    return baseUrl_ + "/" + module;
}

ordered_json TApiClient::CallMethod(const std::string& module, const std::string& method,
                                    ordered_json params) {
    const TCallScope call(busy_, method);
    ordered_json envelope = Envelope(method, std::move(params));
    const std::string url = MethodUrl(module);
    try {
        return PostJson(url, envelope);
    } catch (const ExceptionRestTransportV2& e) {
        // An expired token: renew it in the request and send the same request once more.
        if (e.Code != 2 || IsAuthMethod(method) || !RenewTokenIn(envelope))
            throw;
    }
    return PostJson(url, envelope);
}

ordered_json TApiClient::PostJson(const std::string& url, const ordered_json& request) {
    return Post(url, request, IsAuthMethod(RequestMethod(request)));
}

std::string TApiClient::Login(const std::string& user, const std::string& password) {
    const TCallScope call(busy_, kLoginMethod);
    const ordered_json envelope = Envelope(kLoginMethod, {{"user", user}, {"password", password}});
    ordered_json token = Post(MethodUrl("auth"), envelope, true);
    // No token is no login: caching "null" would send it with every later call.
    if (token.is_null())
        throw Exception("Auth.Login returned no token");
    return JsonAsText(token);
}

// A new HTTP client for each exchange, so no connection, cookie or header carries over.
ordered_json TApiClient::Post(const std::string& url, const ordered_json& request, bool secretResult) const {
    THTTPSendEx http;
    PrepareHttpClient(http, secretResult);
    TransportLog()->Debug("POST " + url);
    std::string reply;
    bool ok = http.PostString(url, JsonCompact(request), reply);
    int status = http.EffectiveStatus();
    if (!ok || status < 200 || status > 299)
        RaiseHttpFailure(url, request, http);
    return ReplyResult(url, request, reply);
}

void TApiClient::PrepareHttpClient(THTTPSendEx& http, bool secretResult) const {
    http.UseGzip = false;
    http.MimeType = "application/json; charset=utf-8;";
    if (secretResult)
        http.SecretMembers.push_back("result");
}
