// The real kiosk program in a real X server (Xvfb), its settings pointing at the TLS test server,
// a scan typed with xdotool, and screenshots of what it shows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "child_process.h"
#include "tools/jsonrpc_server/jsonrpc_test_server.h"
#include "xwd_image.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::uint32_t kSilver = 0xC0C0C0;  // the result panel
constexpr std::uint32_t kCream = 0xFFFBF0;   // its value area

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return condition();
}

class KioskEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kiosk_e2e_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        StartXServer();
        server_.Start();
    }

    void TearDown() override {
        kiosk_.Stop();
        server_.Stop();
        xserver_.Stop();
        fs::remove_all(dir_);
    }

    void StartXServer() {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        xserver_.Start({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                        "-nolisten", "tcp"},
                       {}, "", fds[1]);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        display_ = ":" + number;
    }

    // The kiosk program copied into the test folder, so that its settings file lies beside it.
    void StartKiosk(const std::string& settings) {
        const fs::path program = dir_ / "kiosk";
        fs::copy_file(KIOSK_PROGRAM, program, fs::copy_options::overwrite_existing);
        std::ofstream(dir_ / "kiosk.ini", std::ios::binary) << "[options]\r\n" << settings;
        kiosk_.Start({program.string()}, {"DISPLAY=" + display_, "LC_ALL=C"}, dir_.string());
        ASSERT_TRUE(WaitFor([&] { return Run("xdotool search --class kiosk >/dev/null"); }, 15s))
            << "the kiosk window did not appear";
    }

    bool Run(const std::string& command) {
        return std::system(("DISPLAY=" + display_ + " " + command + " 2>/dev/null").c_str()) == 0;
    }

    XwdImage Screenshot(const std::string& name) {
        const std::string path = (dir_ / (name + ".xwd")).string();
        EXPECT_TRUE(Run("xwd -root -silent -out " + path));
        return XwdImage(path);
    }

    bool PanelShown(const std::string& name) {
        XwdImage shot = Screenshot(name);
        return shot.Rgb(8, 400) == kSilver && shot.Rgb(1200, 400) == kCream;
    }

    fs::path dir_;
    std::string display_;
    ChildProcess xserver_;
    ChildProcess kiosk_;
    testpeer::TJsonRpcTestServer server_;
};

TEST_F(KioskEndToEndTest, ScanShowsTheResultThenTheIdleScreen) {
    auto login = testpeer::ResultReply("\"tok-e2e\"");
    login.method = "Auth.Login";
    server_.Enqueue(login);
    auto check = testpeer::ResultReply(
        R"({"ticketNumber":"A-17","visitDate":"2024-03-05","visitTime":"09:30:00","room":"214",)"
        R"("workerName":"Терапевт","doctorName":"Иванова А. П."})");
    check.method = "Tickets.Check";
    server_.Enqueue(check);

    StartKiosk("host=" + server_.HostPort() + "\r\nuser=7\r\npassword=secret\r\nclinic_id=3\r\nmessageTimeout=3\r\n");
    EXPECT_FALSE(PanelShown("idle-before"));

    ASSERT_TRUE(Run("xdotool type --delay 20 123456"));
    ASSERT_TRUE(WaitFor([&] { return server_.RequestCount() >= 2; }, 15s));
    const auto requests = server_.Requests();
    EXPECT_EQ(requests[0].RpcMethod(), "Auth.Login");
    EXPECT_EQ(requests[1].RpcMethod(), "Tickets.Check");
    EXPECT_EQ(requests[1].Json()["params"]["ticketId"], 12345);
    EXPECT_EQ(requests[1].Json()["params"]["token"], "tok-e2e");

    EXPECT_TRUE(WaitFor([&] { return PanelShown("result"); }, 5s)) << "no result panel on the screen";
    EXPECT_TRUE(WaitFor([&] { return !PanelShown("idle-after"); }, 8s)) << "the idle screen did not come back";

    // Bottom-left, bottom-right, right-middle: the kiosk closes.
    for (const char* at : {"10 1014", "1270 1014", "1270 512"}) ASSERT_TRUE(Run(std::string("xdotool mousemove ") + at + " click 1"));
    EXPECT_EQ(kiosk_.WaitExit(10s), 0);
}

}  // namespace
