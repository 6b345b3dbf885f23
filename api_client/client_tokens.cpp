// The client's tokens: the lookup-or-login, and the renewal of the tokens inside a request.
#include <mutex>

#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "api_client/json_text.h"
#include "platform/rtl/strings.h"

using nlohmann::ordered_json;

namespace {
using TLock = std::lock_guard<TCriticalSection>;
}  // namespace

std::string TApiClient::GetToken(const std::string& user, const std::string& password) {
    TLock lock(tokens_.Lock());
    if (std::optional<std::string> cached = tokens_.LiveToken(user, password))
        return *cached;
    std::string token = Login(user, password);
    tokens_.StoreToken(user, password, token);
    return token;
}

bool TApiClient::RenewTokenIn(ordered_json& request) {
    if (!request.is_object())
        return false;
    bool replaced = false;
    for (auto& [name, member] : request.items()) {
        if (SameText(name, "token")) {
            if (RenewTokenMember(member))
                replaced = true;
        } else if (member.is_object()) {
            if (RenewTokenIn(member))
                replaced = true;
        }
    }
    return replaced;
}

// Renews the token held by one "token" member; false when it is not one of ours.
bool TApiClient::RenewTokenMember(ordered_json& member) {
    TLock lock(tokens_.Lock());
    int i = tokens_.IndexOfToken(JsonAsText(member));
    if (i < 0)
        return false;
    const TToken& entry = *tokens_.Entries()[i];
    std::string user = entry.User;
    std::string password = entry.Password;
    tokens_.RemoveToken(std::string(entry.Token));
    member = GetToken(user, password);
    return true;
}
