#pragma once
// TApiClient: the client of the server's JSON-RPC 2.0 interface, by HTTPS POST to
// "https://" + host + "/rest/v2" + "/" + module. It owns what its calls need: the base URL, the
// token cache, and the making of each exchange's HTTP client. A busy hook hears when a call starts
// and ends, so that a window can show the hourglass without the client knowing of windows.
#include <functional>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "api_client/token_cache.h"
#include "api_client/transport_exceptions.h"

class THTTPSendEx;

class TApiClient {
  public:
    // Told true when a call starts and false when it ends, on every path; a login inside a call is
    // a call of its own.
    using TBusyHook = std::function<void(bool busy)>;

    TApiClient() = default;
    TApiClient(const TApiClient&) = delete;
    TApiClient& operator=(const TApiClient&) = delete;

    // The base URL becomes "https://" + host + "/rest/v2"; host may carry ":port". Empty until set.
    void SetHost(const std::string& host);
    const std::string& BaseUrl() const { return baseUrl_; }
    std::string MethodUrl(const std::string& module) const;
    void SetBusyHook(TBusyHook hook) { busy_ = std::move(hook); }

    // Sends one call and returns the reply's "result" (JSON null when the reply has none).
    // Raises ExceptionRestTransportV2 for a reply with "error", ExceptionHttpTransport for a failed
    // transfer or a status outside 200-299, Exception for a reply that is not JSON (or nests deeper
    // than kMaxJsonDepth).
    // After error code 2 the call is repeated once, with the same id, when a cached token in the
    // request could be renewed (never for "Auth." methods).
    nlohmann::ordered_json CallMethod(const std::string& module, const std::string& method,
                                      nlohmann::ordered_json params);
    // One HTTP exchange of a call: posts the request to url and returns the reply's "result".
    // The result of an "Auth." method is kept out of the debug log.
    nlohmann::ordered_json PostJson(const std::string& url, const nlohmann::ordered_json& request);

    TTokenCache& Tokens() { return tokens_; }
    // The token of user and password: a cached one younger than 59 hours, or a fresh one from
    // "Auth.Login". Holds the cache's lock for the whole lookup-and-login. Raises what the login raises.
    std::string GetToken(const std::string& user, const std::string& password);
    // Replaces every cached token found in a member named "token" (any letter case) of request or
    // of the objects nested in it (arrays are not entered) with a fresh login's token.
    // Returns whether a token was replaced.
    bool RenewTokenIn(nlohmann::ordered_json& request);

  private:
    // "Auth.Login" of module "auth": a call of its own, never repeated, its result secret.
    std::string Login(const std::string& user, const std::string& password);
    bool RenewTokenMember(nlohmann::ordered_json& member);
    nlohmann::ordered_json Post(const std::string& url, const nlohmann::ordered_json& request,
                                bool secretResult) const;
    void PrepareHttpClient(THTTPSendEx& http, bool secretResult) const;

    std::string baseUrl_;
    TTokenCache tokens_;
    TBusyHook busy_;
};

// The process-wide client behind the routines of rest_transport.h and token_cache.h: made at first
// use, freed at exit (with its token cache and base URL).
TApiClient& DefaultApiClient();
