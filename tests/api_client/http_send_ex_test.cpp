#include "api_client/http_send_ex.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <regex>

#include "api_client/gzip_util.h"
#include "api_client/traffic_log_text.h"
#include "platform/os/sysinfo.h"
#include "tests/api_client/log_capture.h"
#include "tests/api_client/system_gzip.h"
#include "tests/api_client/tls_peer_fixture.h"

using testing::HasSubstr;
using testing::Not;
using testpeer::TScriptedReply;

namespace {

TScriptedReply TextReply(std::string body) {
    TScriptedReply reply;
    reply.body = std::move(body);
    reply.contentType = "text/plain";
    return reply;
}

// Collects everything the client writes on the socket, as the monitor hook sees it.
void RecordWrites(THTTPSendEx& http, std::string& written) {
    http.Sock().OnMonitor = [&written](TBlockSocket*, bool writing, const void* buffer, int length) {
        if (writing)
            written.append(static_cast<const char*>(buffer), length);
    };
}

}  // namespace

class HttpSendExTest : public TlsPeerTest {};

TEST_F(HttpSendExTest, SendsRequestLineHeadersAndBodyAsGiven) {
    server.Enqueue(TextReply("pong"));
    THTTPSendEx http;
    http.UseGzip = false;
    http.Headers = {"X-Trace: 17", "Authorization: Basic dXNlcjpwdw=="};
    http.AuthHeader = "Authorization: Bearer abc";
    http.Cookies = {"session=1", "lang=ru"};
    std::string reply;
    ASSERT_TRUE(http.PostString(Url("/rest/v2/infomat?x=1"), "a=1&b=%D0%9F", reply));

    auto request = OnlyRequest();
    EXPECT_EQ(request.requestLine, "POST /rest/v2/infomat?x=1 HTTP/1.1");
    EXPECT_EQ(request.body, "a=1&b=%D0%9F");
    EXPECT_EQ(request.Header("User-Agent"), "Trelv/1.0 (" + OperatingSystemDescription() + ")");
    EXPECT_EQ(request.Header("Content-Type"), "application/x-www-form-urlencoded");  // from "text/html"
    EXPECT_EQ(request.Header("Content-Length"), "12");
    EXPECT_EQ(request.Header("Host"), server.HostPort());
    EXPECT_EQ(request.Header("Cookie"), "session=1; lang=ru");
    EXPECT_EQ(request.Header("X-Trace"), "17");
    EXPECT_EQ(request.Header("Authorization"), "Bearer abc");
    EXPECT_EQ(request.HeaderCount("Authorization"), 1u);
    EXPECT_EQ(request.Header("Connection"), "keep-alive");
    EXPECT_FALSE(request.HasHeader("Accept-Encoding"));
    EXPECT_FALSE(request.HasHeader("Accept"));
    EXPECT_FALSE(request.HasHeader("Expect"));

    EXPECT_EQ(reply, "pong");
    EXPECT_EQ(http.ResultCode, 200);
    EXPECT_EQ(http.ResultString, "OK");
    EXPECT_EQ(http.EffectiveStatus(), 200);
    EXPECT_EQ(http.EffectiveStatusText(), "OK");
    EXPECT_THAT(http.ResponseHeaders, testing::Contains("Content-Type: text/plain"));
}

TEST_F(HttpSendExTest, KeepsAGivenContentTypeAndSendsOtherMethods) {
    server.Enqueue(TextReply("{}"));
    THTTPSendEx http;
    http.MimeType = "application/json";
    http.Document = "{\"a\":1}";
    ASSERT_TRUE(http.Execute(Url("/put"), "PUT"));
    auto request = OnlyRequest();
    EXPECT_EQ(request.requestLine, "PUT /put HTTP/1.1");
    EXPECT_EQ(request.Header("Content-Type"), "application/json");
    EXPECT_EQ(request.body, "{\"a\":1}");
}

TEST_F(HttpSendExTest, CompressesOnlyBodiesAboveTheThreshold) {
    for (std::size_t size : {std::size_t{5120}, std::size_t{5121}}) {
        SCOPED_TRACE(size);
        server.Enqueue(TextReply("ok"));
        THTTPSendEx http;
        std::string written;
        RecordWrites(http, written);
        std::string body(size, 'a');
        std::string reply;
        ASSERT_TRUE(http.PostString(Url("/big"), body, reply));

        auto request = server.Requests().back();
        EXPECT_EQ(request.Header("Accept-Encoding"), "gzip");
        EXPECT_EQ(request.body, body);  // inflated again by the server's HTTP library
        std::string onWire = written.substr(written.find("\r\n\r\n") + 4);
        if (size == 5120) {
            EXPECT_FALSE(request.HasHeader("Content-Encoding"));
            EXPECT_EQ(onWire, body);
        } else {
            EXPECT_EQ(request.Header("Content-Encoding"), "gzip");
            EXPECT_THAT(written, HasSubstr("\r\nContent-encoding: gzip\r\n"));
            EXPECT_EQ(request.Header("Content-Length"), std::to_string(onWire.size()));
            std::string inflated;
            ASSERT_TRUE(RunSystemGzip("-d -c", onWire, inflated));
            EXPECT_EQ(inflated, body);
        }
    }
}

TEST_F(HttpSendExTest, GzipLinesDescribeOnlyTheRequestAtHand) {
    // One object, three requests: a compressed body, a small one, then gzip switched off.
    struct Step {
        bool useGzip;
        std::size_t size;
        std::size_t acceptLines;
        std::size_t encodingLines;
    };
    const Step steps[] = {{true, 6000, 1, 1}, {true, 10, 1, 0}, {false, 6000, 0, 0}};
    THTTPSendEx http;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.useGzip) + " " + std::to_string(step.size));
        server.Enqueue(TextReply("ok"));
        http.UseGzip = step.useGzip;
        std::string body(step.size, 'z'), reply;
        ASSERT_TRUE(http.PostString(Url("/again"), body, reply));
        auto request = server.Requests().back();
        EXPECT_EQ(request.HeaderCount("Accept-Encoding"), step.acceptLines);
        EXPECT_EQ(request.HeaderCount("Content-Encoding"), step.encodingLines);
        EXPECT_EQ(request.body, body);
    }
}

TEST_F(HttpSendExTest, InflatesAGzipReplyOnlyWithGzipOn) {
    const std::string body = "{\"result\":\"Пройдите в кабинет 12\"}";
    for (bool useGzip : {true, false}) {
        SCOPED_TRACE(useGzip);
        TScriptedReply reply = TextReply(body);
        reply.gzip = true;
        server.Enqueue(reply);
        THTTPSendEx http;
        http.UseGzip = useGzip;
        std::string received;
        ASSERT_TRUE(http.PostString(Url("/gz"), "q", received));
        if (useGzip) {
            EXPECT_EQ(received, body);
        } else {
            std::string inflated;
            ASSERT_TRUE(GunzipStream(received, inflated));  // still as the server sent it
            EXPECT_EQ(inflated, body);
            EXPECT_FALSE(server.Requests().back().HasHeader("Accept-Encoding"));
        }
    }
}

TEST_F(HttpSendExTest, KeepsAReplyMarkedGzipThatDoesNotInflate) {
    TScriptedReply reply = TextReply("not really gzip");
    reply.headers = {{"content-encoding", "gzip"}};
    server.Enqueue(reply);
    THTTPSendEx http;
    std::string received;
    ASSERT_TRUE(http.PostString(Url("/bad-gz"), "q", received));
    EXPECT_EQ(received, "not really gzip");
}

TEST_F(HttpSendExTest, Reports302WithItsLocationWithoutFollowingIt) {
    TScriptedReply redirect = TextReply("moved");
    redirect.status = 302;
    redirect.headers = {{"location", "  https://127.0.0.1:1/elsewhere  "}};
    server.Enqueue(redirect);
    THTTPSendEx http;
    ASSERT_TRUE(http.Execute(Url("/old"), "GET"));
    EXPECT_TRUE(http.IsRedirect());
    EXPECT_EQ(http.ResultString, "Found");
    EXPECT_EQ(http.RedirectLocation, "https://127.0.0.1:1/elsewhere");
    EXPECT_EQ(http.Document, "moved");
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(OnlyRequest().requestLine, "GET /old HTTP/1.1");

    TScriptedReply notRedirect = TextReply("here");
    notRedirect.headers = {{"Location", "/x"}};
    server.Enqueue(notRedirect);
    ASSERT_TRUE(http.Execute(Url("/again"), "GET"));
    EXPECT_FALSE(http.IsRedirect());
    EXPECT_EQ(http.RedirectLocation, "");
}

TEST_F(HttpSendExTest, RefusedConnectionGivesTheSocketError) {
    THTTPSendEx http;
    std::string reply;
    EXPECT_FALSE(http.PostString("https://127.0.0.1:" + std::to_string(RefusingPort()) + "/x", "q", reply));
    EXPECT_EQ(http.ResultCode, 500);
    EXPECT_EQ(http.Sock().LastError, ECONNREFUSED);
    EXPECT_EQ(http.EffectiveStatus(), ECONNREFUSED);
    EXPECT_EQ(http.EffectiveStatusText(), std::strerror(ECONNREFUSED));
    EXPECT_EQ(http.EffectiveStatusText(), "Connection refused");
    EXPECT_EQ(reply, "");
}

TEST_F(HttpSendExTest, ServerThatStopsAnsweringTimesOut) {
    TScriptedReply silent;
    silent.hang = true;
    server.Enqueue(silent);
    THTTPSendEx http;
    http.Timeout = 300;
    std::string reply;
    EXPECT_FALSE(http.PostString(Url("/silent"), "q", reply));
    EXPECT_EQ(http.EffectiveStatus(), ETIMEDOUT);
    EXPECT_EQ(http.EffectiveStatusText(), "Connection timed out");
    EXPECT_EQ(server.RequestCount(), 1u);
}

TEST_F(HttpSendExTest, SlowButSteadyReplyIsNotCutByTheWaitLimit) {
    // Each wait is capped, not the whole transfer: two waits just under the cap pass.
    TScriptedReply slow = TextReply("late");
    slow.delayMs = 200;
    server.Enqueue(slow);
    server.Enqueue(slow);
    THTTPSendEx http;
    http.Timeout = 1500;
    std::string reply;
    EXPECT_TRUE(http.PostString(Url("/slow"), "q", reply));
    EXPECT_TRUE(http.PostString(Url("/slow"), "q", reply));
    EXPECT_EQ(reply, "late");
}

TEST_F(HttpSendExTest, CountsTheTransferAndReportsProgress) {
    server.Enqueue(TextReply(std::string(3000, 'r')));
    THTTPSendEx http;
    http.UseGzip = false;
    http.Headers = {"X-A: 1"};
    http.Cookies = {"c=2"};
    std::int64_t begunWith = -1;
    int reads = 0, writes = 0, ends = 0;
    http.OnBeginTransfer = [&](THTTPSendEx*, bool flag, std::int64_t total) {
        EXPECT_TRUE(flag);
        begunWith = total;
    };
    http.OnProgress = [&](THTTPSendEx*, bool reading, std::int64_t, std::int64_t, std::int64_t,
                          std::int64_t) { ++(reading ? reads : writes); };
    http.OnEndTransfer = [&](THTTPSendEx*) { ++ends; };
    std::int64_t counted = 0;  // only the read and write counts are numbers to add up
    http.OnStatus = [&](TBlockSocket*, THookSocketReason reason, const std::string& value) {
        if (reason == HR_ReadCount || reason == HR_WriteCount)
            counted += std::stoll(value);
    };
    std::string reply;
    ASSERT_TRUE(http.PostString(Url("/count"), std::string(100, 'b'), reply));

    const std::int64_t expected = (6 + 2) + 100 + (3 + 2);  // header lines, body, cookie lines
    EXPECT_EQ(http.ExpectedSize, expected);
    EXPECT_EQ(begunWith, expected);
    EXPECT_GT(http.Transferred, 100 + 3000);  // bodies both ways, headers too
    EXPECT_EQ(http.Transferred, counted);     // addresses and ports of other events add nothing
    EXPECT_GE(http.EndTick, http.StartTick);
    EXPECT_GT(reads, 0);
    EXPECT_GT(writes, 0);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(http.RunningUrl(), "");
}

TEST_F(HttpSendExTest, DebugLoggerRecordsSocketEventsAndData) {
    server.Enqueue(TextReply("pong"));
    LogCapture log("THTTPSendEx", TLogLevel::Debug());
    {
        THTTPSendEx http;
        std::string reply;
        ASSERT_TRUE(http.PostString(Url("/logged"), "ping", reply));
    }
    std::vector<std::string> events;
    bool sawRequest = false, sawReply = false;
    const std::regex status("^[0-9A-F]{8,}(HR_[A-Za-z]+): (.*)$");
    const std::regex data("^[0-9A-F]{8,}(->|<-) ([\\s\\S]*)$");
    for (const auto& text : log.Texts(TLogLevel::Debug())) {
        std::smatch m;
        if (std::regex_match(text, m, status)) {
            if (events.empty() || events.back() != m[1])
                events.push_back(m[1]);
        } else if (std::regex_match(text, m, data)) {
            sawRequest |= m[1] == "->" && m[2].str().rfind("POST /logged HTTP/1.1\r\n", 0) == 0;
            sawReply |= m[1] == "<-" && m[2].str().rfind("HTTP/1.1 200 OK", 0) == 0;
        } else {
            ADD_FAILURE() << "unexpected line: " << text;
        }
    }
    const std::vector<std::string> expected = {"HR_ResolvingBegin", "HR_ResolvingEnd", "HR_SocketCreate",
                                               "HR_Connect",        "HR_WriteCount",   "HR_ReadCount",
                                               "HR_SocketClose"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(sawRequest);
    EXPECT_TRUE(sawReply);
}

TEST_F(HttpSendExTest, DebugDataLinesMaskTheSecretMembersBothWays) {
    const std::string sent = R"({"password":"P-sent","Token":"T-sent","n":1})";
    const std::string received = R"({"token":"T-reply","result":"R-1","n":2})";
    server.Enqueue(TextReply(received));
    LogCapture log("THTTPSendEx", TLogLevel::Debug());
    {
        THTTPSendEx http;
        http.SecretMembers.push_back("result");
        std::string reply;
        ASSERT_TRUE(http.PostString(Url("/secret"), sent, reply));
        EXPECT_EQ(reply, received);
    }
    EXPECT_EQ(OnlyRequest().body, sent);
    std::string logged;
    for (const auto& text : log.Texts(TLogLevel::Debug())) logged += text + "\n";
    for (const char* secret : {"P-sent", "T-sent", "T-reply", "R-1"})
        EXPECT_THAT(logged, Not(HasSubstr(secret)));
    EXPECT_THAT(logged, HasSubstr(R"(-> {"password":"***","Token":"***","n":1})"));
    EXPECT_THAT(logged, HasSubstr(R"(<- {"token":"***","result":"***","n":2})"));
}

// Compressed bodies, both ways, are logged at debug as their size and kind, never as their bytes.
TEST_F(HttpSendExTest, DebugDataLinesShowGzipBodiesAsTheirSize) {
    std::string body(6000, 'a');
    for (std::size_t i = 0; i < body.size(); i += 7) body[i] = static_cast<char>('a' + i % 26);
    TScriptedReply reply = TextReply("{\"result\":\"" + body + "\"}");
    reply.gzip = true;
    server.Enqueue(reply);
    LogCapture log("THTTPSendEx", TLogLevel::Debug());
    std::string written;
    {
        THTTPSendEx http;
        std::string received;
        ASSERT_TRUE(http.PostString(Url("/gz-logged"), body, received));
        EXPECT_EQ(received, reply.body);
    }
    std::string logged;
    for (const auto& text : log.Texts(TLogLevel::Debug())) logged += text + "\n";
    for (const char c : logged) {
        const auto u = static_cast<unsigned char>(c);
        ASSERT_FALSE((u < 0x20 && c != '\r' && c != '\n' && c != '\t') || u == 0x7F)
            << "a raw byte " << static_cast<int>(u) << " in the log";
    }
    EXPECT_THAT(logged, testing::ContainsRegex("-> \\([0-9]+ bytes of gzip-compressed body\\)"));
    EXPECT_THAT(logged, testing::ContainsRegex("<- \\([0-9]+ bytes of gzip-compressed body\\)"));
    EXPECT_THAT(logged, HasSubstr("<- HTTP/1.1 200"));
}

TEST(TrafficLogText, ShowsHeadersAndTextAsTheyAreAndOtherBodiesAsTheirSize) {
    const std::string gzipMagic("\x1f\x8b\x08\x00", 4);
    struct Piece {
        std::string data;
        std::string logged;
    };
    const std::vector<Piece> reply = {
        {"HTTP/1.1 200 OK\r\n", "HTTP/1.1 200 OK\r\n"},
        {"Content-Encoding: GZIP\r\n", "Content-Encoding: GZIP\r\n"},
        {"\r\n", "\r\n"},
        {gzipMagic + "abc", "(7 bytes of gzip-compressed body)"},
        {"printable", "(9 bytes of gzip-compressed body)"},
        // The next reply, not compressed: its text is shown again, its secrets masked.
        {"HTTP/1.1 200 OK\r\n", "HTTP/1.1 200 OK\r\n"},
        {"\r\n", "\r\n"},
        {R"({"token":"T-1"})", R"({"token":"***"})"},
        {gzipMagic, "(4 bytes of binary body)"},
    };
    TTrafficLogText received({"token"});
    for (const Piece& piece : reply) EXPECT_EQ(received.Describe(piece.data), piece.logged);
    TTrafficLogText sent({"password"});
    EXPECT_EQ(sent.Describe("POST /x HTTP/1.1\r\nContent-encoding: gzip\r\n\r\n"),
              "POST /x HTTP/1.1\r\nContent-encoding: gzip\r\n\r\n");
    EXPECT_EQ(sent.Describe("{\"password\":1}"), "(14 bytes of gzip-compressed body)");
}

TEST_F(HttpSendExTest, AHookThatThrowsStopsTheTransferAndReachesTheCaller) {
    server.Enqueue(TextReply("first"));
    server.Enqueue(TextReply("second"));
    THTTPSendEx http;
    bool armed = true;
    http.OnStatus = [&](TBlockSocket*, THookSocketReason reason, const std::string&) {
        if (armed && reason == HR_ReadCount)
            throw std::runtime_error("hook failed");
    };
    std::string reply;
    EXPECT_THROW(http.PostString(Url("/a"), "q", reply), std::runtime_error);
    EXPECT_EQ(http.RunningUrl(), "");
    armed = false;
    ASSERT_TRUE(http.PostString(Url("/b"), "q", reply));
    EXPECT_EQ(reply, "second");
}

TEST(HookSocketReasonName, NamesEveryReasonAndNothingElse) {
    EXPECT_EQ(HookSocketReasonName(HR_ResolvingBegin), "HR_ResolvingBegin");
    EXPECT_EQ(HookSocketReasonName(HR_Error), "HR_Error");
    EXPECT_EQ(HookSocketReasonName(14), "-unknown-");
    EXPECT_EQ(HookSocketReasonName(-1), "-unknown-");
}
