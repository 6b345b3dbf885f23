#include "api_client/token_cache.h"

#include <mutex>

#include "api_client/json_text.h"
#include "api_client/rest_transport.h"
#include "platform/rtl/strings.h"

using nlohmann::ordered_json;

namespace {

constexpr std::int64_t kTokenLifeMs = 59LL * 60 * 60 * 1000;

using TLock = std::lock_guard<TCriticalSection>;

std::string LoginToken(const std::string& user, const std::string& password) {
    ordered_json params = {{"user", user}, {"password", password}};
    ordered_json result = CallMethod("auth", "Auth.Login", std::move(params));
    // No token is no login: caching "null" would send it with every later call.
    if (result.is_null())
        throw Exception("Auth.Login returned no token");
    return JsonAsText(result);
}

// Renews the token held by one "token" member; false when it is not one of ours.
bool RenewTokenMember(ordered_json& member) {
    TLock lock(TokenCacheLock());
    int i = IndexOfToken(JsonAsText(member));
    if (i < 0)
        return false;
    const TToken& entry = *TokenCache()[i];
    std::string user = entry.User;
    std::string password = entry.Password;
    std::string old = entry.Token;
    RemoveToken(old);
    member = GetToken(user, password);
    return true;
}

}  // namespace

// Whole milliseconds, so that a date-time's rounding cannot cut a millisecond off the life.
bool TToken::IsExpired() const {
    std::int64_t remaining = DateTimeToUnixMillis(Obtained) + kTokenLifeMs - DateTimeToUnixMillis(Now());
    return remaining < 1;
}

TTokenList& TokenCache() {
    static TTokenList list;
    return list;
}

TCriticalSection& TokenCacheLock() {
    static TCriticalSection lock;
    return lock;
}

int IndexOfLogin(const std::string& user, const std::string& password) {
    TLock lock(TokenCacheLock());
    const TTokenList& list = TokenCache();
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i)
        if (list[i]->User == user && list[i]->Password == password)
            return i;
    return -1;
}

int IndexOfToken(const std::string& token) {
    TLock lock(TokenCacheLock());
    const TTokenList& list = TokenCache();
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i)
        if (list[i]->Token == token)
            return i;
    return -1;
}

void RemoveToken(const std::string& token) {
    TLock lock(TokenCacheLock());
    TTokenList& list = TokenCache();
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i)
        if (list[i]->Token == token)
            list.erase(list.begin() + i);
}

int StoreToken(const std::string& user, const std::string& password, const std::string& token) {
    TLock lock(TokenCacheLock());
    TTokenList& list = TokenCache();
    int i = IndexOfLogin(user, password);
    if (i >= 0) {
        if (list[i]->Token == token)
            return i;
        list.erase(list.begin() + i);
    }
    list.push_back(std::make_unique<TToken>(TToken{password, user, token, Now()}));
    return static_cast<int>(list.size()) - 1;
}

std::string GetToken(const std::string& user, const std::string& password) {
    TLock lock(TokenCacheLock());
    int i = IndexOfLogin(user, password);
    if (i >= 0) {
        const TToken& entry = *TokenCache()[i];
        if (!entry.IsExpired())
            return entry.Token;
        RemoveToken(std::string(entry.Token));
    }
    std::string token = LoginToken(user, password);
    StoreToken(user, password, token);
    return token;
}

bool RenewTokenIn(ordered_json& request) {
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
