#include "api_client/token_cache.h"

#include <mutex>

#include "api_client/api_client.h"

namespace {

constexpr std::int64_t kTokenLifeMs = 59LL * 60 * 60 * 1000;

using TLock = std::lock_guard<TCriticalSection>;

}  // namespace

// Whole milliseconds, so that a date-time's rounding cannot cut a millisecond off the life.
bool TToken::IsExpired() const {
    std::int64_t remaining = DateTimeToUnixMillis(Obtained) + kTokenLifeMs - DateTimeToUnixMillis(Now());
    return remaining < 1;
}

std::optional<std::string> TTokenCache::LiveToken(const std::string& user, const std::string& password) {
    TLock lock(lock_);
    int i = IndexOfLogin(user, password);
    if (i < 0)
        return std::nullopt;
    const TToken& entry = *list_[i];
    if (!entry.IsExpired())
        return entry.Token;
    RemoveToken(std::string(entry.Token));
    return std::nullopt;
}

int TTokenCache::IndexOfLogin(const std::string& user, const std::string& password) const {
    TLock lock(lock_);
    for (int i = static_cast<int>(list_.size()) - 1; i >= 0; --i)
        if (list_[i]->User == user && list_[i]->Password == password)
            return i;
    return -1;
}

int TTokenCache::IndexOfToken(const std::string& token) const {
    TLock lock(lock_);
    for (int i = static_cast<int>(list_.size()) - 1; i >= 0; --i)
        if (list_[i]->Token == token)
            return i;
    return -1;
}

void TTokenCache::RemoveToken(const std::string& token) {
    TLock lock(lock_);
    for (int i = static_cast<int>(list_.size()) - 1; i >= 0; --i)
        if (list_[i]->Token == token)
            list_.erase(list_.begin() + i);
}

int TTokenCache::StoreToken(const std::string& user, const std::string& password, const std::string& token) {
    TLock lock(lock_);
    int i = IndexOfLogin(user, password);
    if (i >= 0) {
        if (list_[i]->Token == token)
            return i;
        list_.erase(list_.begin() + i);
    }
    list_.push_back(std::make_unique<TToken>(TToken{password, user, token, Now()}));
    return static_cast<int>(list_.size()) - 1;
}

TTokenList& TokenCache() {
    return DefaultApiClient().Tokens().Entries();
}

TCriticalSection& TokenCacheLock() {
    return DefaultApiClient().Tokens().Lock();
}

std::string GetToken(const std::string& user, const std::string& password) {
    return DefaultApiClient().GetToken(user, password);
}

int StoreToken(const std::string& user, const std::string& password, const std::string& token) {
    return DefaultApiClient().Tokens().StoreToken(user, password, token);
}

int IndexOfLogin(const std::string& user, const std::string& password) {
    return DefaultApiClient().Tokens().IndexOfLogin(user, password);
}

int IndexOfToken(const std::string& token) {
    return DefaultApiClient().Tokens().IndexOfToken(token);
}

void RemoveToken(const std::string& token) {
    DefaultApiClient().Tokens().RemoveToken(token);
}

bool RenewTokenIn(nlohmann::ordered_json& request) {
    return DefaultApiClient().RenewTokenIn(request);
}
