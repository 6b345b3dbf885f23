// The edit-control demo in a private X server, driven by xdotool as a user would: typing, Tab,
// Escape, a click on an edit button, a pick from the remembered texts, a pick from the combo box's
// list and a click on the check box; closing prints the records.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"
#include "tools/dbedit_demo/demo_layout.h"

namespace {

using namespace std::chrono_literals;
using namespace demo_layout;

class EditDemoEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xserver_.Display().empty()) << "Xvfb did not start";
        const std::string command =
            std::string("exec '") + DBEDIT_DEMO_PROGRAM + "' > '" + output_.string() + "'";
        demo_.Start({"/bin/sh", "-c", command}, {"DISPLAY=" + xserver_.Display(), "LC_ALL=C"});
        ASSERT_TRUE(Xdotool({"search", "--sync", "--name", "^Edit controls demo$"}))
            << "the demo window did not appear";
    }

    bool Xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return xserver_.Run(args, 15s);
    }
    // A click at a point of the demo form's client area.
    bool ClickAt(int x, int y) {
        return Xdotool({"search", "--name", "^Edit controls demo$", "mousemove", "--window", "%1",
                        std::to_string(x), std::to_string(y), "click", "1", "sleep", "0.3"});
    }
    std::string Output() const {
        std::ifstream in(output_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    testsupport::TempDir dir_{"dbedit_demo_e2e"};
    std::filesystem::path output_ = dir_.Path() / "records.txt";
    testsupport::XvfbServer xserver_{"1024x768x24"};
    testsupport::ChildProcess demo_;
};

TEST_F(EditDemoEndToEnd, TypedTabbedEscapedClickedAndPickedRecordIsPrinted) {
    // The required name, then the masked policy number.
    ASSERT_TRUE(Xdotool({"type", "--delay", "40", "Ivanov"}));
    ASSERT_TRUE(Xdotool({"key", "--delay", "40", "Tab"}));
    ASSERT_TRUE(Xdotool({"type", "--delay", "40", "123456"}));
    ASSERT_TRUE(Xdotool({"key", "--delay", "40", "Tab"}));
    // Typed into the code, then taken back by Escape: the button's code lands on an empty text.
    ASSERT_TRUE(Xdotool({"type", "--delay", "40", "zz"}));
    ASSERT_TRUE(Xdotool({"key", "--delay", "40", "Escape", "sleep", "0.3"}));
    ASSERT_TRUE(ClickAt(kControlLeft + kControlWidth - 8, RowTop(kCodeRow) + 8));
    ASSERT_TRUE(Xdotool({"key", "--delay", "40", "Tab"}));
    // The remembered texts open while typing; Down and Enter take the one that matches.
    ASSERT_TRUE(Xdotool({"type", "--delay", "60", "Kaz"}));
    ASSERT_TRUE(Xdotool({"sleep", "0.3", "key", "--delay", "100", "Down", "Return", "Tab"}));
    ASSERT_TRUE(Xdotool({"type", "--delay", "40", "250"}));
    // The combo box's list: Alt+Down opens it, Down moves to the first kind, Enter takes it.
    ASSERT_TRUE(Xdotool({"key", "--delay", "40", "Tab"}));
    ASSERT_TRUE(Xdotool({"key", "--delay", "100", "alt+Down", "Down", "Return", "sleep", "0.3"}));
    ASSERT_TRUE(ClickAt(kControlLeft + 8, RowTop(kPaidRow) + 10));
    ASSERT_TRUE(ClickAt(kCloseLeft + kCloseWidth / 2, RowTop(0) + kCloseHeight / 2));

    EXPECT_EQ(demo_.WaitExit(15s), 0);
    EXPECT_EQ(Output(),
              "NAME=Ivanov; POLICY=123-456; CODE=K-7; CITY=Kazan; AMOUNT=250; VISIT=P; PAID=True\n");
}

}  // namespace
