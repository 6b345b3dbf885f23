#include "api_client/rest_transport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <regex>

#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "api_client/json_log_text.h"
#include "api_client/json_text.h"
#include "api_client/reply_result.h"
#include "tests/api_client/log_capture.h"
#include "tests/api_client/tls_peer_fixture.h"

using nlohmann::ordered_json;
using testing::HasSubstr;
using testing::Not;
using testpeer::ErrorReply;
using testpeer::ResultReply;
using testpeer::TScriptedReply;

namespace {

TScriptedReply BodyReply(std::string body, int status = 200) {
    TScriptedReply reply;
    reply.body = std::move(body);
    reply.status = status;
    return reply;
}

std::string NestedArrays(std::size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

// An error reply with code 7 whose "data" is the given JSON text, sent as it is.
TScriptedReply ErrorWithData(const std::string& dataJson) {
    return BodyReply(R"({"jsonrpc":"2.0","id":"1","error":{"code":7,"message":"bad","data":)" + dataJson +
                     "}}");
}

}  // namespace

class RestTransportTest : public TlsPeerTest {
  protected:
    void SetUp() override {
        TlsPeerTest::SetUp();
        client.SetHost(server.HostPort());
    }

    TApiClient client;
};

TEST(RestTransportUrl, IsHostUnderRestV2) {
    TApiClient client;
    EXPECT_EQ(client.BaseUrl(), "");
    client.SetHost("kiosk.example:8443");
    EXPECT_EQ(client.MethodUrl("infomat"), "https://kiosk.example:8443/rest/v2/infomat");
    client.SetHost("");
    EXPECT_EQ(client.MethodUrl("infomat"), "https:///rest/v2/infomat");
}

TEST(RestTransportId, Is32UpperCaseHexDigitsAndNew) {
    const std::regex hex32("^[0-9A-F]{32}$");
    std::string a = NewRequestId(), b = NewRequestId();
    EXPECT_TRUE(std::regex_match(a, hex32)) << a;
    EXPECT_TRUE(std::regex_match(b, hex32)) << b;
    EXPECT_NE(a, b);
}

TEST_F(RestTransportTest, SendsTheEnvelopeAsCompactUtf8Json) {
    server.Enqueue(ResultReply(R"({"room":"12","doctor":"Иванова"})"));
    ordered_json params = {{"ticket", "Талон №5"}, {"clinic_id", 3}, {"flags", {true, nullptr}}};
    ordered_json result = client.CallMethod("infomat", "Tickets.Check", params);

    EXPECT_EQ(result, ordered_json::parse(R"({"room":"12","doctor":"Иванова"})"));
    auto request = OnlyRequest();
    EXPECT_EQ(request.requestLine, "POST /rest/v2/infomat HTTP/1.1");
    EXPECT_EQ(request.Header("Content-Type"), "application/json; charset=utf-8;");
    EXPECT_FALSE(request.HasHeader("Accept-Encoding"));
    EXPECT_FALSE(request.HasHeader("Content-Encoding"));
    EXPECT_THAT(request.Header("User-Agent"), testing::StartsWith("Trelv/1.0 ("));
    EXPECT_THAT(request.body, HasSubstr("Талон №5"));
    EXPECT_THAT(request.body, Not(HasSubstr("\\u")));
    ordered_json sent = request.Json();
    EXPECT_EQ(sent.dump(), request.body);  // compact: no blanks, no line breaks
    ASSERT_TRUE(sent.is_object());
    EXPECT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent["jsonrpc"], "2.0");
    EXPECT_TRUE(std::regex_match(sent["id"].get<std::string>(), std::regex("^[0-9A-F]{32}$")));
    EXPECT_EQ(sent["method"], "Tickets.Check");
    EXPECT_EQ(sent["params"], params);
}

TEST_F(RestTransportTest, ReturnsTheResultWhateverTheIdOrVersion) {
    struct Case {
        const char* reply;
        ordered_json expected;
    };
    const Case cases[] = {
        {R"({"jsonrpc":"2.0","id":"other","result":{"a":1}})", {{"a", 1}}},
        {R"({"result":[1,2]})", {1, 2}},
        {R"({"jsonrpc":"2.0","id":"1"})", nullptr},  // no result
        {R"({"result":null})", nullptr},
        {R"([1,2,3])", nullptr},  // not an object: nothing to read
        {R"({"result":"x"} // trailing comment)", "x"},
    };
    for (const auto& c : cases) {
        server.Enqueue(BodyReply(c.reply));
        EXPECT_EQ(client.CallMethod("infomat", "Tickets.Check", ordered_json::object()), c.expected)
            << c.reply;
    }
}

TEST_F(RestTransportTest, ServerErrorCarriesCodeMessageAndData) {
    struct Case {
        const char* reply;
        int code;
        const char* message;
        const char* data;
    };
    const Case cases[] = {
        {R"({"error":{"code":17,"message":"Талон не найден","data":"no such ticket"}})", 17,
         "Талон не найден", "no such ticket"},
        {R"({"error":{"code":-32601,"message":"Method not found","data":{"method":"X"}}})", -32601,
         "Method not found", R"({"method":"X"})"},
        {R"({"error":{"message":"no code"}})", 0, "no code", ""},
        {R"({"error":{"code":"5","message":42}})", 5, "42", ""},
        {R"({"result":"ignored","error":{"code":3,"message":"both"}})", 3, "both", ""},
        {R"({"error":null})", 0, "", ""},
        {R"({"error":"boom"})", 0, "", ""},
    };
    for (const auto& c : cases) {
        server.Enqueue(BodyReply(c.reply));
        try {
            client.CallMethod("infomat", "Tickets.Check", ordered_json::object());
            ADD_FAILURE() << "no exception for " << c.reply;
        } catch (const ExceptionRestTransportV2& e) {
            EXPECT_EQ(e.Code, c.code) << c.reply;
            EXPECT_EQ(e.Message, c.message) << c.reply;
            EXPECT_EQ(e.Data, c.data) << c.reply;
        }
    }
}

TEST_F(RestTransportTest, StatusOutside2xxIsAnHttpFailure) {
    struct Case {
        int status;
        const char* text;
    };
    for (const Case& c : {Case{404, "Not Found"}, Case{500, "Internal Server Error"}, Case{302, "Found"},
                          Case{403, "Forbidden"}}) {
        server.Enqueue(BodyReply(R"({"result":"not read"})", c.status));
        try {
            client.CallMethod("infomat", "Tickets.Check", ordered_json::object());
            ADD_FAILURE() << "no exception for " << c.status;
        } catch (const ExceptionHttpTransport& e) {
            EXPECT_EQ(e.Code, c.status);
            EXPECT_EQ(e.Message, c.text);
        }
    }
}

TEST_F(RestTransportTest, ReplyThatIsNotJsonIsAPlainFailure) {
    for (const char* body : {"<html>Bad gateway</html>", ""}) {
        LogCapture log("RestV2", TLogLevel::Info());
        server.Enqueue(BodyReply(body, *body ? 200 : 204));
        try {
            client.CallMethod("infomat", "Tickets.Check", ordered_json::object());
            ADD_FAILURE() << "no exception for '" << body << "'";
        } catch (const ExceptionRestTransportV2&) {
            ADD_FAILURE() << "a server error for '" << body << "'";
        } catch (const ExceptionHttpTransport&) {
            ADD_FAILURE() << "an HTTP failure for '" << body << "'";
        } catch (const Exception& e) {
            EXPECT_THAT(e.Message, HasSubstr("not JSON"));
        }
        EXPECT_THAT(log.Texts(TLogLevel::Error()),
                    testing::ElementsAre(HasSubstr(": reply of " + std::to_string(std::strlen(body)) +
                                                   " bytes refused: it is not JSON")));
    }
}

TEST_F(RestTransportTest, RefusedConnectionIsAnHttpFailureWithTheSocketError) {
    client.SetHost("127.0.0.1:" + std::to_string(RefusingPort()));
    try {
        client.CallMethod("infomat", "Tickets.Check", ordered_json::object());
        FAIL() << "no exception";
    } catch (const ExceptionHttpTransport& e) {
        EXPECT_EQ(e.Code, ECONNREFUSED);
        EXPECT_EQ(e.Message, "Connection refused");
    }
}

TEST_F(RestTransportTest, CallWithoutHostFailsAtTheHttpLevel) {
    client.SetHost("");
    try {
        client.CallMethod("infomat", "Tickets.Check", ordered_json::object());
        FAIL() << "no exception";
    } catch (const ExceptionHttpTransport& e) {
        EXPECT_NE(e.Code, 0);
        EXPECT_NE(e.Code, 200);
        EXPECT_FALSE(e.Message.empty());
    }
}

TEST_F(RestTransportTest, ErrorLinesCarryTheRequestWithSecretsMasked) {
    LogCapture log("RestV2", TLogLevel::Info());
    server.Enqueue(ErrorReply(1, "Неверный пароль"));
    server.Enqueue(BodyReply("{}", 404));
    ordered_json login = {{"user", "7"}, {"password", "s3cret"}};
    EXPECT_THROW(client.CallMethod("auth", "Auth.Login", login), ExceptionRestTransportV2);
    ordered_json check = {{"ticket", 5}, {"auth", {{"Token", "T-secret"}}}, {"list", {{{"token", "T2"}}}}};
    EXPECT_THROW(client.CallMethod("infomat", "Tickets.Check", check), ExceptionHttpTransport);

    auto errors = log.Texts(TLogLevel::Error());
    ASSERT_EQ(errors.size(), 2u);
    const std::string url = "https://" + server.HostPort() + "/rest/v2/";
    EXPECT_THAT(errors[0], testing::StartsWith("POST " + url + "auth\r\nRequest: {"));
    EXPECT_THAT(errors[0], HasSubstr("\"user\": \"7\""));
    EXPECT_THAT(errors[0], HasSubstr("\"password\": \"***\""));
    EXPECT_THAT(errors[0], HasSubstr("\"method\": \"Auth.Login\""));
    EXPECT_THAT(errors[0], HasSubstr("\r\nError: {"));
    EXPECT_THAT(errors[0], HasSubstr("\"message\":\"Неверный пароль\""));  // the error on one line
    EXPECT_THAT(errors[0], Not(HasSubstr("s3cret")));

    EXPECT_THAT(errors[1], testing::StartsWith("POST " + url + "infomat\r\nRequest: {"));
    EXPECT_THAT(errors[1], testing::EndsWith("\r\nError 404: Not Found"));
    EXPECT_THAT(errors[1], HasSubstr("\"Token\": \"***\""));
    EXPECT_THAT(errors[1], HasSubstr("\"ticket\": 5"));
    EXPECT_THAT(errors[1], Not(HasSubstr("T-secret")));
    EXPECT_THAT(errors[1], Not(HasSubstr("T2")));
    // What was sent is untouched.
    EXPECT_EQ(server.Requests()[0].Json()["params"]["password"], "s3cret");
}

TEST_F(RestTransportTest, DebugLinesNameTheUrlAndTheDurationOnEveryPath) {
    LogCapture log("RestV2", TLogLevel::Debug());
    server.Enqueue(ResultReply("1"));
    server.Enqueue(ErrorReply(5, "refused"));
    client.CallMethod("infomat", "Tickets.Check", ordered_json::object());
    EXPECT_THROW(client.CallMethod("auth", "Auth.Login", ordered_json::object()), ExceptionRestTransportV2);
    auto lines = log.Texts(TLogLevel::Debug());
    ASSERT_EQ(lines.size(), 4u);
    const std::string url = "POST https://" + server.HostPort() + "/rest/v2/";
    EXPECT_EQ(lines[0], url + "infomat");
    EXPECT_TRUE(std::regex_match(lines[1],
                                 std::regex("^Duration request to Tickets\\.Check is \\d\\d:\\d\\d:\\d\\d$")))
        << lines[1];
    EXPECT_EQ(lines[2], url + "auth");
    EXPECT_THAT(lines[3], testing::StartsWith("Duration request to Auth.Login is "));
}

// A login inside a call is a call of its own; the hook hears the end of each on every path.
TEST_F(RestTransportTest, BusyHookHearsEachCallStartAndEndOnEveryPath) {
    auto login = ResultReply("\"T2\"");
    login.method = "Auth.Login";
    const struct {
        const char* name;
        std::vector<TScriptedReply> replies;
        std::vector<bool> heard;
    } cases[] = {
        {"result", {ResultReply("1")}, {true, false}},
        {"HTTP failure", {BodyReply("{}", 500)}, {true, false}},
        {"server error", {ErrorReply(3, "no")}, {true, false}},
        {"renewal", {ErrorReply(2, "old"), login, ResultReply("1")}, {true, true, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        client.Tokens().StoreToken("7", "pw", "T1");
        std::vector<bool> heard;
        client.SetBusyHook([&](bool busy) { heard.push_back(busy); });
        for (const auto& reply : c.replies) server.Enqueue(reply);
        try {
            client.CallMethod("infomat", "Tickets.Check", {{"token", "T1"}});
        } catch (const Exception&) {
        }
        EXPECT_EQ(heard, c.heard);
        client.SetBusyHook(nullptr);
        client.Tokens().Entries().clear();
    }
}

// A hook that throws as the call ends neither turns a finished call into a failure nor loses the
// call's duration line.
TEST_F(RestTransportTest, BusyHookFailingAtTheEndLeavesTheResult) {
    LogCapture log("RestV2", TLogLevel::Debug());
    client.SetBusyHook([](bool busy) {
        if (!busy)
            throw Exception("hook");
    });
    server.Enqueue(ResultReply("5"));
    EXPECT_EQ(client.CallMethod("infomat", "Tickets.Check", ordered_json::object()), 5);
    auto lines = log.Texts(TLogLevel::Debug());
    ASSERT_FALSE(lines.empty());
    EXPECT_THAT(lines.back(), testing::StartsWith("Duration request to Tickets.Check is "));
}

// Values nested past the limit are refused as not JSON before anything walks them (a walk per level
// exhausted the stack), with one short error line saying why; a server error within the limit is
// raised with a log line of bounded size.
TEST_F(RestTransportTest, DeepOrHugeRepliesFailWithBoundedLogLines) {
    enum class Fails { NotJson, ServerError };
    std::string wide = "[0";
    for (int i = 0; i < 100000; ++i) wide += ",0";
    wide += "]";
    const struct {
        const char* name;
        TScriptedReply reply;
        Fails fails;
        bool cut;  // the error's text in the log line
    } cases[] = {
        {"result 50000 deep", ResultReply(NestedArrays(50000)), Fails::NotJson, false},
        {"error data 5000 deep", ErrorWithData(NestedArrays(5000)), Fails::NotJson, false},
        {"error data 20000 deep", ErrorWithData(NestedArrays(20000)), Fails::NotJson, false},
        // Indented, this error made a line of half a megabyte.
        {"error data nested to the limit", ErrorWithData(NestedArrays(kMaxJsonDepth - 2)), Fails::ServerError,
         false},
        {"error data 100000 items wide", ErrorWithData(wide), Fails::ServerError, true},
    };
    const std::size_t fixedText = 200;  // the URL, "POST", "Request:", "Error:" and the envelope
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log("RestV2", TLogLevel::Info());
        server.Enqueue(c.reply);
        try {
            client.CallMethod("infomat", "Tickets.Check", {{"ticket", 5}});
            ADD_FAILURE() << "no exception";
        } catch (const ExceptionRestTransportV2& e) {
            EXPECT_EQ(c.fails, Fails::ServerError);
            EXPECT_EQ(e.Code, 7);
            EXPECT_EQ(e.Message, "bad");
        } catch (const ExceptionHttpTransport& e) {
            ADD_FAILURE() << "an HTTP failure: " << e.Message;
        } catch (const Exception& e) {
            EXPECT_EQ(c.fails, Fails::NotJson);
            EXPECT_THAT(e.Message, HasSubstr("not JSON"));
        }
        auto errors = log.Texts(TLogLevel::Error());
        ASSERT_EQ(errors.size(), 1u);
        if (c.fails == Fails::NotJson) {
            EXPECT_THAT(errors[0], HasSubstr("POST " + client.MethodUrl("infomat") + ": reply of " +
                                             std::to_string(c.reply.body.size()) +
                                             " bytes refused: its arrays and "
                                             "objects nest deeper than 512 levels"));
            EXPECT_LE(errors[0].size(), fixedText);
            continue;
        }
        for (const auto& line : errors) {
            EXPECT_LE(line.size(), kJsonLogLimit + std::string(kJsonLogCutMark).size() + fixedText);
            EXPECT_EQ(line.find(kJsonLogCutMark) != std::string::npos, c.cut);
            EXPECT_THAT(line, HasSubstr("\r\nError: {\"code\":7,\"message\":\"bad\",\"data\":["));
        }
    }
    server.Enqueue(ResultReply("1"));
    EXPECT_EQ(client.CallMethod("infomat", "Tickets.Check", ordered_json::object()), 1);
}

// With both loggers at debug, the socket's data is logged both ways; the password and the token
// must not be in it, the token being the "result" of the login's reply.
TEST_F(RestTransportTest, DebugLogOfALoginAndACallHoldsNeitherPasswordNorToken) {
    const std::string password = "pw-Секрет-91", token = "tok-5f3a9c";
    auto login = ResultReply("\"" + token + "\"");
    login.method = "Auth.Login";
    server.Enqueue(login);
    server.Enqueue(ResultReply(R"({"room":"12"})"));
    std::string logged;
    {
        LogCapture transport("RestV2", TLogLevel::Debug());
        LogCapture socket("THTTPSendEx", TLogLevel::Debug());
        ordered_json params = {{"token", client.GetToken("7", password)}, {"ticketId", 5}};
        EXPECT_EQ(client.CallMethod("infomat", "Tickets.Check", params), ordered_json({{"room", "12"}}));
        for (LogCapture* capture : {&transport, &socket})
            for (const auto& line : capture->Lines()) logged += line.text + "\n";
    }

    EXPECT_THAT(logged, Not(HasSubstr(password)));
    EXPECT_THAT(logged, Not(HasSubstr(token)));
    // The data lines are there, masked; a result that is not a login's stays readable.
    EXPECT_THAT(logged, HasSubstr(R"("params":{"user":"7","password":"***"})"));
    EXPECT_THAT(logged, HasSubstr(R"("result":"***")"));
    EXPECT_THAT(logged, HasSubstr(R"("params":{"token":"***","ticketId":5})"));
    EXPECT_THAT(logged, HasSubstr(R"("result":{"room":"12"})"));
    // What went over the wire is untouched.
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Json()["params"]["password"], password);
    EXPECT_EQ(requests[1].Json()["params"]["token"], token);
}

// The reply is read from its text alone, so any bytes can be handed to it without a server.
TEST(ReplyResult, ReadsAnyTextWithoutAServer) {
    enum class Outcome { Result, ServerError, NotJson };
    const struct {
        const char* name;
        std::string text;
        Outcome outcome;
        ordered_json result;
    } cases[] = {
        {"result", R"({"id":"x","result":{"a":[1,"б"]}})", Outcome::Result, {{"a", {1, "б"}}}},
        {"no result", R"({"jsonrpc":"2.0"})", Outcome::Result, nullptr},
        {"not an object", "[1,2]", Outcome::Result, nullptr},
        {"error", R"({"error":{"code":4,"message":"m","data":"d"}})", Outcome::ServerError, nullptr},
        {"empty", "", Outcome::NotJson, nullptr},
        {"trailing bytes", R"({"result":1} x)", Outcome::NotJson, nullptr},
        {"invalid UTF-8", "{\"result\":\"\xff\xfe\"}", Outcome::NotJson, nullptr},
        {"binary", std::string("\0\x1f\x8b\x08", 4), Outcome::NotJson, nullptr},
        {"nested past the limit", NestedArrays(100000), Outcome::NotJson, nullptr},
    };
    const std::string url = "https://h/rest/v2/infomat";
    const ordered_json request = {{"method", "Tickets.Check"}, {"params", {{"token", "T-secret"}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log("RestV2", TLogLevel::Info());
        try {
            EXPECT_EQ(ReplyResult(url, request, c.text), c.result);
            EXPECT_EQ(c.outcome, Outcome::Result);
        } catch (const ExceptionRestTransportV2& e) {
            EXPECT_EQ(c.outcome, Outcome::ServerError);
            EXPECT_EQ(e.Code, 4);
            EXPECT_EQ(e.Message, "m");
            EXPECT_EQ(e.Data, "d");
        } catch (const Exception& e) {
            EXPECT_EQ(c.outcome, Outcome::NotJson);
            EXPECT_EQ(e.Message, "The reply to POST " + url + " is not JSON");
        }
        auto errors = log.Texts(TLogLevel::Error());
        ASSERT_EQ(errors.size(), c.outcome == Outcome::Result ? 0u : 1u);
        if (c.outcome == Outcome::NotJson) {
            // One line of its own, holding nothing of the reply.
            const std::string why = c.text.size() > 1000
                                        ? "its arrays and objects nest deeper than 512 levels"
                                        : "it is not JSON";
            EXPECT_EQ(errors[0], "POST " + url + ": reply of " + std::to_string(c.text.size()) +
                                     " bytes refused: " + why);
            continue;
        }
        for (const auto& line : errors) {
            EXPECT_THAT(line, testing::StartsWith("POST " + url + "\r\nRequest: {"));
            EXPECT_THAT(line, testing::EndsWith(R"(Error: {"code":4,"message":"m","data":"d"})"));
            EXPECT_THAT(line, Not(HasSubstr("T-secret")));
        }
    }
}

// The transport's and the token cache's routines work on the one process-wide client.
TEST_F(RestTransportTest, RoutinesServeTheProcessWideClient) {
    TApiClient& shared = DefaultApiClient();
    TokenCache().clear();
    SetHost(server.HostPort());
    EXPECT_EQ(shared.BaseUrl(), "https://" + server.HostPort() + "/rest/v2");
    EXPECT_EQ(MethodUrl("infomat"), shared.MethodUrl("infomat"));

    auto login = ResultReply("\"T1\"");
    login.method = "Auth.Login";
    server.Enqueue(login);
    server.Enqueue(ResultReply("7"));
    EXPECT_EQ(GetToken("7", "pw"), "T1");
    EXPECT_EQ(shared.Tokens().IndexOfLogin("7", "pw"), 0);
    EXPECT_EQ(IndexOfToken("T1"), 0);
    EXPECT_EQ(CallMethod("infomat", "Tickets.Check", {{"token", GetToken("7", "pw")}}), 7);
    EXPECT_EQ(server.RequestCount(), 2u);

    TokenCache().clear();
    SetHost("");
    EXPECT_EQ(shared.MethodUrl("auth"), "https:///rest/v2/auth");
}
