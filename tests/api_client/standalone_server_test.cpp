// The standalone jsonrpc_test_server as end-to-end tests launch it: a reply script from a file,
// the port in a file, the requests in a log file, a clean exit on SIGTERM.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using testing::HasSubstr;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

class StandaloneServer {
  public:
    explicit StandaloneServer(const fs::path& dir, const std::string& script) : dir_(dir) {
        std::ofstream(dir / "script.json") << script;
        process_.Start({JSONRPC_TEST_SERVER_PATH, "--script", (dir / "script.json").string(), "--port-file",
                        (dir / "port").string(), "--log", (dir / "requests.log").string()});
    }

    // The port once the server has written it; 0 when it did not within a few seconds.
    int WaitForPort() const {
        for (int i = 0; i < 500; ++i) {
            std::string text = ReadAll(dir_ / "port");
            if (!text.empty() && text.back() == '\n')
                return std::stoi(text);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 0;
    }
    // Ends the server with SIGTERM; its exit status.
    std::optional<int> Stop() { return process_.Stop(); }
    bool Started() { return process_.Running(); }

  private:
    fs::path dir_;
    testsupport::ChildProcess process_;
};

class StandaloneServerTest : public testing::Test {
  protected:
    testsupport::TempDir dir{"jsonrpc_server"};
};

}  // namespace

TEST_F(StandaloneServerTest, AnswersFromItsScriptAndLogsEachRequest) {
    StandaloneServer server(dir.Path(), R"([
        {"method": "Auth.Login", "body": {"jsonrpc": "2.0", "id": "1", "result": "TOKEN-1"}, "repeat": true},
        {"status": 404, "body": "missing", "content_type": "text/plain"}
    ])");
    ASSERT_TRUE(server.Started());
    int port = server.WaitForPort();
    ASSERT_GT(port, 0);
    TApiClient client;
    client.SetHost("127.0.0.1:" + std::to_string(port));

    EXPECT_EQ(client.CallMethod("auth", "Auth.Login", {{"user", "7"}, {"password", "pw"}}), "TOKEN-1");
    EXPECT_EQ(client.CallMethod("auth", "Auth.Login", {{"user", "8"}, {"password", "pw"}}), "TOKEN-1");
    try {
        client.CallMethod("infomat", "Tickets.Check", {{"ticket", 5}});
        ADD_FAILURE() << "no exception";
    } catch (const ExceptionHttpTransport& e) {
        EXPECT_EQ(e.Code, 404);
    }
    EXPECT_EQ(server.Stop(), 0);

    std::string log = ReadAll(dir / "requests.log");
    EXPECT_THAT(log, HasSubstr("--- request 1\nPOST /rest/v2/auth HTTP/1.1\n"));
    EXPECT_THAT(log, HasSubstr("--- request 3\nPOST /rest/v2/infomat HTTP/1.1\n"));
    EXPECT_THAT(log, HasSubstr("Content-Type: application/json; charset=utf-8;\n"));
    EXPECT_THAT(log, HasSubstr("\"params\":{\"user\":\"8\",\"password\":\"pw\"}"));
    EXPECT_THAT(log, HasSubstr("\"params\":{\"ticket\":5}"));
}

TEST_F(StandaloneServerTest, RefusesAScriptThatDoesNotRead) {
    for (const char* script :
         {"not json", R"({"body": "an object, not a list"})", R"([{"status": "200"}])"}) {
        testsupport::ChildProcess server;
        server.Start({JSONRPC_TEST_SERVER_PATH, "--script-text", script});
        EXPECT_EQ(server.WaitExit(std::chrono::seconds(10)), 2) << script;
    }
}
