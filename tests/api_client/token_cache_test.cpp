#include "api_client/token_cache.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "platform/os/clock.h"
#include "tests/api_client/tls_peer_fixture.h"

using nlohmann::ordered_json;
using testpeer::ErrorReply;
using testpeer::ResultReply;

namespace {

constexpr std::int64_t kHourMs = 60 * 60 * 1000;

// A login reply that only answers "Auth.Login", wherever it sits in the queue.
testpeer::TScriptedReply LoginReply(const std::string& tokenJson) {
    auto reply = ResultReply(tokenJson);
    reply.method = "Auth.Login";
    return reply;
}

}  // namespace

class TokenCacheTest : public TlsPeerTest {
  protected:
    void SetUp() override {
        TlsPeerTest::SetUp();
        client.SetHost(server.HostPort());
    }

    // The server error that a check sent with the token T1 ends in.
    ExceptionRestTransportV2 CheckWithT1Error() {
        try {
            client.CallMethod("infomat", "Tickets.Check", {{"token", "T1"}});
        } catch (const ExceptionRestTransportV2& e) {
            return e;
        }
        ADD_FAILURE() << "no exception";
        return ExceptionRestTransportV2(0, "", "");
    }

    std::vector<std::string> SentMethods() const {
        std::vector<std::string> methods;
        for (const auto& r : server.Requests()) methods.push_back(r.RpcMethod());
        return methods;
    }

    platform::ManualClock clock;
    platform::ScopedClock useClock{clock};
    TApiClient client;
};

TEST_F(TokenCacheTest, OneLoginServesTwoCalls) {
    server.Enqueue(LoginReply("\"T1\""));
    EXPECT_EQ(client.GetToken("7", "pw"), "T1");
    EXPECT_EQ(client.GetToken("7", "pw"), "T1");

    auto request = OnlyRequest();
    EXPECT_EQ(request.requestLine, "POST /rest/v2/auth HTTP/1.1");
    ordered_json sent = request.Json();
    EXPECT_EQ(sent["method"], "Auth.Login");
    EXPECT_EQ(sent["params"], (ordered_json{{"user", "7"}, {"password", "pw"}}));
}

TEST_F(TokenCacheTest, LogsInAgainAt59Hours) {
    server.Enqueue(LoginReply("\"T1\""));
    server.Enqueue(LoginReply("\"T2\""));
    ASSERT_EQ(client.GetToken("7", "pw"), "T1");
    clock.Advance(59 * kHourMs - 1);
    EXPECT_EQ(client.GetToken("7", "pw"), "T1");
    clock.Advance(1);
    EXPECT_EQ(client.GetToken("7", "pw"), "T2");
    EXPECT_EQ(server.RequestCount(), 2u);
    EXPECT_EQ(client.Tokens().Entries().size(), 1u);  // the old entry was dropped
    EXPECT_EQ(client.Tokens().IndexOfToken("T1"), -1);
}

TEST_F(TokenCacheTest, KeepsOneEntryPerUserAndPassword) {
    server.Enqueue(LoginReply("\"A\""));
    server.Enqueue(LoginReply("\"B\""));
    server.Enqueue(LoginReply("12345"));
    EXPECT_EQ(client.GetToken("7", "one"), "A");
    EXPECT_EQ(client.GetToken("7", "two"), "B");
    EXPECT_EQ(client.GetToken("8", "one"), "12345");  // a number is kept as its JSON text
    EXPECT_EQ(client.Tokens().Entries().size(), 3u);
    EXPECT_EQ(client.Tokens().IndexOfLogin("7", "one"), 0);
    EXPECT_EQ(client.Tokens().IndexOfLogin("7", "TWO"), -1);  // exact comparison
    EXPECT_EQ(client.Tokens().IndexOfToken("12345"), 2);
}

TEST_F(TokenCacheTest, FailedLoginLeavesNoEntry) {
    server.Enqueue(LoginReply("\"T1\""));
    server.Enqueue(ErrorReply(1, "Неверный логин или пароль"));
    server.Enqueue(LoginReply("null"));
    ASSERT_EQ(client.GetToken("7", "pw"), "T1");
    clock.Advance(60 * kHourMs);
    try {
        client.GetToken("7", "pw");
        FAIL() << "no exception";
    } catch (const ExceptionRestTransportV2& e) {
        EXPECT_EQ(e.Message, "Неверный логин или пароль");
    }
    EXPECT_EQ(client.Tokens().IndexOfLogin("7", "pw"), -1);
    EXPECT_THROW(client.GetToken("7", "pw"), Exception);  // a login that returns no token
    EXPECT_TRUE(client.Tokens().Entries().empty());
}

TEST_F(TokenCacheTest, StoreTokenReplacesAnotherTokenOfThePair) {
    EXPECT_EQ(client.Tokens().StoreToken("u", "p", "A"), 0);
    EXPECT_EQ(client.Tokens().StoreToken("x", "y", "B"), 1);
    EXPECT_EQ(client.Tokens().StoreToken("u", "p", "A"), 0);  // same token: kept where it is
    EXPECT_EQ(client.Tokens().StoreToken("u", "p", "C"), 1);  // another: old one out, new one last
    EXPECT_EQ(client.Tokens().Entries().size(), 2u);
    EXPECT_EQ(client.Tokens().Entries()[1]->Token, "C");
    client.Tokens().RemoveToken("B");
    client.Tokens().RemoveToken("C");
    EXPECT_TRUE(client.Tokens().Entries().empty());
}

TEST_F(TokenCacheTest, RenewsTokenMembersInNestedObjectsOnly) {
    struct Case {
        const char* request;
        bool renewed;
        const char* path;  // where the token sits, as a JSON pointer
    };
    const Case cases[] = {
        {R"({"params":{"token":"OLD"}})", true, "/params/token"},
        {R"({"params":{"Token":"OLD"}})", true, "/params/Token"},
        {R"({"TOKEN":"OLD","params":{}})", true, "/TOKEN"},
        {R"({"params":{"auth":{"tOkEn":"OLD"}}})", true, "/params/auth/tOkEn"},
        {R"({"params":{"list":[{"token":"OLD"}]}})", false, "/params/list/0/token"},
        {R"({"params":{"token":"NOT-CACHED"}})", false, "/params/token"},
        {R"({"params":{"token_id":"OLD"}})", false, "/params/token_id"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request);
        client.Tokens().Entries().clear();
        client.Tokens().StoreToken("7", "pw", "OLD");
        server.Enqueue(LoginReply("\"NEW\""));
        ordered_json request = ordered_json::parse(c.request);
        EXPECT_EQ(client.RenewTokenIn(request), c.renewed);
        auto pointer = ordered_json::json_pointer(c.path);
        if (c.renewed) {
            EXPECT_EQ(request[pointer], "NEW");
            EXPECT_EQ(client.Tokens().IndexOfToken("OLD"), -1);
            EXPECT_EQ(client.GetToken("7", "pw"), "NEW");
        } else {
            EXPECT_EQ(request, ordered_json::parse(c.request));
            EXPECT_EQ(client.Tokens().IndexOfToken("OLD"), 0);
        }
    }
}

TEST_F(TokenCacheTest, ExpiredTokenIsRenewedAndTheCallRepeatedOnceWithTheSameId) {
    server.Enqueue(LoginReply("\"T1\""));
    std::string token = client.GetToken("7", "pw");
    server.Enqueue(ErrorReply(2, "Токен устарел"));
    server.Enqueue(LoginReply("\"T2\""));
    server.Enqueue(ResultReply(R"({"room":"12"})"));

    ordered_json result = client.CallMethod("infomat", "Tickets.Check", {{"token", token}, {"ticket", 5}});

    EXPECT_EQ(result, (ordered_json{{"room", "12"}}));
    EXPECT_EQ(SentMethods(),
              (std::vector<std::string>{"Auth.Login", "Tickets.Check", "Auth.Login", "Tickets.Check"}));
    auto requests = server.Requests();
    ordered_json first = requests[1].Json(), retry = requests[3].Json();
    EXPECT_EQ(first["id"], retry["id"]);
    EXPECT_EQ(first["params"]["token"], "T1");
    EXPECT_EQ(retry["params"], (ordered_json{{"token", "T2"}, {"ticket", 5}}));
    EXPECT_EQ(client.Tokens().IndexOfToken("T1"), -1);
    EXPECT_EQ(client.GetToken("7", "pw"), "T2");
}

TEST_F(TokenCacheTest, FailedRenewalReachesTheCallerAndLeavesNoEntry) {
    server.Enqueue(LoginReply("\"T1\""));
    client.GetToken("7", "pw");
    server.Enqueue(ErrorReply(2, "Токен устарел"));
    server.Enqueue(ErrorReply(1, "Неверный логин или пароль"));
    auto error = CheckWithT1Error();
    EXPECT_EQ(error.Code, 1);
    EXPECT_EQ(error.Message, "Неверный логин или пароль");
    EXPECT_EQ(SentMethods(), (std::vector<std::string>{"Auth.Login", "Tickets.Check", "Auth.Login"}));
    EXPECT_TRUE(client.Tokens().Entries().empty());
}

TEST_F(TokenCacheTest, NoSecondRetryAfterASecondCode2) {
    server.Enqueue(LoginReply("\"T1\""));
    client.GetToken("7", "pw");
    server.Enqueue(ErrorReply(2, "first"));
    server.Enqueue(LoginReply("\"T2\""));
    server.Enqueue(ErrorReply(2, "second"));
    server.Enqueue(LoginReply("\"T3\""));  // must stay unused
    auto error = CheckWithT1Error();
    EXPECT_EQ(error.Code, 2);
    EXPECT_EQ(error.Message, "second");
    EXPECT_EQ(SentMethods(),
              (std::vector<std::string>{"Auth.Login", "Tickets.Check", "Auth.Login", "Tickets.Check"}));
}

TEST_F(TokenCacheTest, NoRetryWhenTheCallCannotBeRenewed) {
    struct Case {
        const char* module;
        const char* method;
        const char* params;
        int code;
    };
    const Case cases[] = {
        {"auth", "Auth.Login", R"({"token":"T1"})", 2},                   // logins are never repeated
        {"infomat", "Tickets.Check", R"({"token":"UNKNOWN"})", 2},        // not one of ours
        {"infomat", "Tickets.Check", R"({"list":[{"token":"T1"}]})", 2},  // inside an array
        {"infomat", "Tickets.Check", R"({"token":"T1"})", 3},             // another error
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method + std::string(" ") + c.params);
        client.Tokens().Entries().clear();
        client.Tokens().StoreToken("7", "pw", "T1");
        std::size_t before = server.RequestCount();
        server.Enqueue(ErrorReply(c.code, "refused"));
        try {
            client.CallMethod(c.module, c.method, ordered_json::parse(c.params));
            ADD_FAILURE() << "no exception";
        } catch (const ExceptionRestTransportV2& e) {
            EXPECT_EQ(e.Code, c.code);
        }
        EXPECT_EQ(server.RequestCount(), before + 1);
        EXPECT_EQ(client.Tokens().IndexOfToken("T1"), 0);
    }
}

TEST(TokenExpiry, ReachedAt59HoursToTheMillisecond) {
    platform::ManualClock clock;
    platform::ScopedClock useClock(clock);
    TToken token{"pw", "7", "T", Now()};
    clock.Advance(59 * kHourMs - 1);
    EXPECT_FALSE(token.IsExpired());
    clock.Advance(1);
    EXPECT_TRUE(token.IsExpired());
}
