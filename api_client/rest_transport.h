#pragma once
// JSON-RPC 2.0 calls to the server by HTTPS POST to "https://" + host + "/rest/v2" + "/" + module.
#include <string>

#include <nlohmann/json.hpp>

#include "api_client/transport_exceptions.h"

// The base URL becomes "https://" + host + "/rest/v2"; host may carry ":port".
void SetHost(const std::string& host);
std::string MethodUrl(const std::string& module);
// 32 upper-case hexadecimal digits of a new GUID.
std::string NewRequestId();

// Sends one call and returns the reply's "result" (JSON null when the reply has none).
// Raises ExceptionRestTransportV2 for a reply with "error", ExceptionHttpTransport for a failed
// transfer or a status outside 200-299, Exception for a reply that is not JSON (or nests deeper
// than kMaxJsonDepth).
// After error code 2 the call is repeated once, with the same id, when a cached token in the
// request could be renewed (never for "Auth." methods).
nlohmann::ordered_json CallMethod(const std::string& module, const std::string& method,
                                  nlohmann::ordered_json params);

// One HTTP exchange of a call: posts the request to url and returns the reply's "result".
nlohmann::ordered_json PostJson(const std::string& url, const nlohmann::ordered_json& request);
