#pragma once
// A test suite on the Qt host (xcb) over a private Xvfb server, which xdotool drives with real X input.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

class X11HostTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        xvfb = std::make_unique<testsupport::XvfbServer>("1024x768x24");
        if (xvfb->Display().empty())
            return;
        setenv("DISPLAY", xvfb->Display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        static int argc = 1;
        static char name[] = "platform_ui_x11_tests";
        static char* argv[] = {name, nullptr};
        host = new platform::ui::QtHost(argc, argv);
    }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
        xvfb.reset();
    }

    // Runs the message loop (which also serves the clipboard to others) until done() or the time is up.
    static bool Pump(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            Application->ProcessMessages();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }
    // Runs xdotool with these arguments while the loop runs; true when it ended with status 0 and
    // done() came true.
    static bool Drive(std::vector<std::string> xdotool, const std::function<bool()>& done) {
        xdotool.insert(xdotool.begin(), "xdotool");
        testsupport::ChildProcess tool;
        tool.Start(xdotool);
        const bool seen = Pump(done, std::chrono::seconds(10));
        return tool.WaitExit(std::chrono::seconds(10)) == 0 && seen;
    }

    static inline platform::ui::QtHost* host = nullptr;
    static inline std::unique_ptr<testsupport::XvfbServer> xvfb;
};
