#pragma once
// Authentication tokens from "Auth.Login" of module "auth", reused for 59 hours.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "platform/os/critical_section.h"
#include "platform/rtl/datetime.h"

struct TToken {
    std::string Password;
    std::string User;
    std::string Token;
    TDateTime Obtained = 0;  // local time of the login
    // True from Obtained + 59 hours on (less than a millisecond short counts as reached).
    bool IsExpired() const;
};

// Owns its entries; new entries go to the end, searches run from the end.
using TTokenList = std::vector<std::unique_ptr<TToken>>;

// The entries and the re-entrant lock that guards them; every member takes the lock. The logins
// that fill it are the API client's (TApiClient::GetToken).
class TTokenCache {
  public:
    TTokenList& Entries() { return list_; }
    TCriticalSection& Lock() const { return lock_; }

    // The token of user and password when it is younger than 59 hours; an expired one is dropped.
    std::optional<std::string> LiveToken(const std::string& user, const std::string& password);
    int StoreToken(const std::string& user, const std::string& password, const std::string& token);
    int IndexOfLogin(const std::string& user, const std::string& password) const;  // -1 when absent
    int IndexOfToken(const std::string& token) const;                              // -1 when absent
    void RemoveToken(const std::string& token);  // every entry holding that token

  private:
    mutable TCriticalSection lock_;  // made before the list and freed after it
    TTokenList list_;
};

// The routines below work on the process-wide client's cache (DefaultApiClient, api_client.h).
TTokenList& TokenCache();
TCriticalSection& TokenCacheLock();

// The token of user and password: a cached one younger than 59 hours, or a fresh one from
// "Auth.Login". Holds the lock for the whole lookup-and-login. Raises what the login raises.
std::string GetToken(const std::string& user, const std::string& password);
int StoreToken(const std::string& user, const std::string& password, const std::string& token);
int IndexOfLogin(const std::string& user, const std::string& password);  // -1 when absent
int IndexOfToken(const std::string& token);                              // -1 when absent
void RemoveToken(const std::string& token);                              // every entry holding that token

// Replaces every cached token found in a member named "token" (any letter case) of request or of
// the objects nested in it (arrays are not entered) with a fresh login's token.
// Returns whether a token was replaced.
bool RenewTokenIn(nlohmann::ordered_json& request);
