// The standalone jsonrpc_test_server as end-to-end tests launch it: a reply script from a file,
// the port in a file, the requests in a log file, a clean exit on SIGTERM.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "api_client/rest_transport.h"

extern char** environ;

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
        std::vector<std::string> args = {
            JSONRPC_TEST_SERVER_PATH, "--script", (dir / "script.json").string(), "--port-file",
            (dir / "port").string(),  "--log",    (dir / "requests.log").string()};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
    }
    ~StandaloneServer() {
        if (pid_ > 0)
            Stop();
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
    // Sends SIGTERM and returns the exit status.
    int Stop() {
        int status = -1;
        kill(pid_, SIGTERM);
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }
    bool Started() const { return pid_ > 0; }

  private:
    fs::path dir_;
    pid_t pid_ = -1;
};

class StandaloneServerTest : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("jsonrpc_server_" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

}  // namespace

TEST_F(StandaloneServerTest, AnswersFromItsScriptAndLogsEachRequest) {
    StandaloneServer server(dir, R"([
        {"method": "Auth.Login", "body": {"jsonrpc": "2.0", "id": "1", "result": "TOKEN-1"}, "repeat": true},
        {"status": 404, "body": "missing", "content_type": "text/plain"}
    ])");
    ASSERT_TRUE(server.Started());
    int port = server.WaitForPort();
    ASSERT_GT(port, 0);
    SetHost("127.0.0.1:" + std::to_string(port));

    EXPECT_EQ(CallMethod("auth", "Auth.Login", {{"user", "7"}, {"password", "pw"}}), "TOKEN-1");
    EXPECT_EQ(CallMethod("auth", "Auth.Login", {{"user", "8"}, {"password", "pw"}}), "TOKEN-1");
    try {
        CallMethod("infomat", "Tickets.Check", {{"ticket", 5}});
        ADD_FAILURE() << "no exception";
    } catch (const ExceptionHttpTransport& e) {
        EXPECT_EQ(e.Code, 404);
    }
    int status = server.Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

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
        std::string command =
            std::string(JSONRPC_TEST_SERVER_PATH) + " --script-text '" + script + "' 2>/dev/null";
        int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << script;
    }
}
