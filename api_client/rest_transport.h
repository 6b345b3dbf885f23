#pragma once
// JSON-RPC 2.0 calls to the server by HTTPS POST to "https://" + host + "/rest/v2" + "/" + module.
// The routines work on the process-wide client (DefaultApiClient, api_client.h); TApiClient
// tells what each of them does.
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "api_client/transport_exceptions.h"

void SetHost(const std::string& host);
std::string MethodUrl(const std::string& module);
// 32 upper-case hexadecimal digits of a new GUID.
std::string NewRequestId();

nlohmann::ordered_json CallMethod(const std::string& module, const std::string& method,
                                  nlohmann::ordered_json params);
nlohmann::ordered_json PostJson(const std::string& url, const nlohmann::ordered_json& request);
