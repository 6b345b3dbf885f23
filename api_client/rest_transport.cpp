#include "api_client/rest_transport.h"

#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "platform/os/guid.h"

TApiClient& DefaultApiClient() {
    static TApiClient client;
    return client;
}

void SetHost(const std::string& host) {
    DefaultApiClient().SetHost(host);
}

std::string MethodUrl(const std::string& module) {
    return DefaultApiClient().MethodUrl(module);
}

std::string NewRequestId() {
    return GUIDToHex(CreateGUID());
}

nlohmann::ordered_json CallMethod(const std::string& module, const std::string& method,
                                  nlohmann::ordered_json params) {
    return DefaultApiClient().CallMethod(module, method, std::move(params));
}

nlohmann::ordered_json PostJson(const std::string& url, const nlohmann::ordered_json& request) {
    return DefaultApiClient().PostJson(url, request);
}
