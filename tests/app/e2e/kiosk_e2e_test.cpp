// The real kiosk program in a real X server (Xvfb), its settings pointing at the TLS test server,
// a scan typed with xdotool, and screenshots of what it shows.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/window_frames.h"
#include "tests/support/xvfb_server.h"
#include "tests/support/xwd_image.h"
#include "tools/jsonrpc_server/jsonrpc_test_server.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::uint32_t kSilver = 0xC0C0C0;  // the result panel
constexpr std::uint32_t kCream = 0xFFFBF0;   // its value area

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(100ms);
    }
    return condition();
}

class KioskEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xserver_.Display().empty()) << "Xvfb did not start";
        server_.Start();
    }

    void TearDown() override {
        kiosk_.Stop();
        server_.Stop();
    }

    // The kiosk program copied into the test folder, so that its settings file lies beside it.
    void LaunchKiosk(const std::string& settings) {
        const fs::path program = dir_ / "kiosk";
        fs::copy_file(KIOSK_PROGRAM, program, fs::copy_options::overwrite_existing);
        std::ofstream(dir_ / "kiosk.ini", std::ios::binary) << "[options]\r\n" << settings;
        kiosk_.Start({program.string()}, {"DISPLAY=" + xserver_.Display(), "LC_ALL=C"}, dir_.Path());
    }

    void StartKiosk(const std::string& settings) {
        LaunchKiosk(settings);
        const auto windowShown = [&] { return xserver_.Run({"xdotool", "search", "--class", "kiosk"}); };
        ASSERT_TRUE(WaitFor(windowShown, 15s)) << "the kiosk window did not appear";
    }

    XwdImage Screenshot(const std::string& name) {
        const std::string path = (dir_ / (name + ".xwd")).string();
        EXPECT_TRUE(xserver_.Run({"xwd", "-root", "-silent", "-out", path}));
        return XwdImage(path);
    }

    bool PanelShown(const std::string& name) {
        XwdImage shot = Screenshot(name);
        return shot.Rgb(8, 400) == kSilver && shot.Rgb(1200, 400) == kCream;
    }

    testsupport::TempDir dir_{"kiosk_e2e"};
    testsupport::XvfbServer xserver_{"1280x1024x24"};
    testsupport::ChildProcess kiosk_;
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

    StartKiosk("host=" + server_.HostPort() +
               "\r\nuser=7\r\npassword=secret\r\nclinic_id=3\r\nmessageTimeout=3\r\n");
    EXPECT_FALSE(PanelShown("idle-before"));

    ASSERT_TRUE(xserver_.Run({"xdotool", "type", "--delay", "20", "123456"}));
    ASSERT_TRUE(WaitFor([&] { return server_.RequestCount() >= 2; }, 15s));
    const auto requests = server_.Requests();
    EXPECT_EQ(requests[0].RpcMethod(), "Auth.Login");
    EXPECT_EQ(requests[1].RpcMethod(), "Tickets.Check");
    EXPECT_EQ(requests[1].Json()["params"]["ticketId"], 12345);
    EXPECT_EQ(requests[1].Json()["params"]["token"], "tok-e2e");

    EXPECT_TRUE(WaitFor([&] { return PanelShown("result"); }, 5s)) << "no result panel on the screen";
    EXPECT_TRUE(WaitFor([&] { return !PanelShown("idle-after"); }, 8s))
        << "the idle screen did not come back";

    // Bottom-left, bottom-right, right-middle: the kiosk closes.
    for (auto [x, y] : {std::pair{"10", "1014"}, {"1270", "1014"}, {"1270", "512"}})
        ASSERT_TRUE(xserver_.Run({"xdotool", "mousemove", x, y, "click", "1"}));
    EXPECT_EQ(kiosk_.WaitExit(10s), 0);
}

// What the screen first shows of the kiosk, read back from the X server the moment the kiosk draws
// into its window, with the kiosk frozen meanwhile: the idle screen with its clock, not the background
// alone until the clock's first tick.
TEST_F(KioskEndToEndTest, FirstPaintedFrameShowsTheClock) {
    constexpr std::uint32_t kRed = 0xFF0000;  // the clock's default colour, at its default place
    const auto clockArea = [](int y) { return std::array{10, y, 600, 40}; };
    testsupport::WindowFrames frames;
    ASSERT_TRUE(frames.Open(xserver_.Display())) << "no X DAMAGE";
    LaunchKiosk("");
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    std::optional<testsupport::WindowPixels> clock;
    std::optional<testsupport::WindowPixels> below;
    for (auto seen = frames.Next(deadline); seen.what != testsupport::WindowFrames::Seen::Nothing;
         seen = frames.Next(deadline)) {
        if (seen.what != testsupport::WindowFrames::Seen::Paint)
            continue;
        ASSERT_TRUE(kiosk_.Signal(SIGSTOP));
        const auto whole = frames.Read(seen.window, 0, 0, 1280, 1024);
        ASSERT_TRUE(whole) << "the window could not be read back";
        // A window the server has only cleared for mapping is no frame of the kiosk's yet.
        if (std::ranges::all_of(whole->rgb, [&](std::uint32_t rgb) { return rgb == whole->rgb.front(); })) {
            frames.Rearm(seen.window);
            kiosk_.Signal(SIGCONT);
            continue;
        }
        const auto [x, y, w, h] = clockArea(180);
        clock = frames.Read(seen.window, x, y, w, h);
        const auto [bx, by, bw, bh] = clockArea(260);
        below = frames.Read(seen.window, bx, by, bw, bh);
        break;
    }
    ASSERT_TRUE(clock && below) << "the kiosk painted no frame";
    // Strokes of a dozen glyphs in the clock's place; none of its colour just below it.
    EXPECT_GT(testsupport::CountNear(*clock, kRed, 48), 100);
    EXPECT_EQ(testsupport::CountNear(*below, kRed, 48), 0);
}

// SIGTERM and SIGINT close the window as the exit taps do, with exit code 0.
TEST_F(KioskEndToEndTest, EndsCleanlyOnTerminationSignals) {
    for (int signal : {SIGTERM, SIGINT}) {
        StartKiosk("host=\r\n");
        ASSERT_TRUE(kiosk_.Signal(signal));
        EXPECT_EQ(kiosk_.WaitExit(10s), 0) << "signal " << signal;
    }
}

}  // namespace
