// The demo with the pop-up calendar and calculator in a private X server, driven by xdotool: a day
// clicked in the calendar and a sum typed into the calculator land in the printed record.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"
#include "tools/dbedit_demo/demo_layout.h"
#include "tools/popup_edits_demo/popup_edits_form.h"

namespace {

using namespace std::chrono_literals;
using namespace demo_layout;

// Clicks the middle of the demo's pop-up window: the calendar's third week, Thursday.
constexpr const char* kClickPopupMiddle = R"sh(
for w in $(xdotool search --onlyvisible --classname popup_edits_demo); do
  [ "$(xdotool getwindowname $w)" = "Edit controls demo" ] && continue
  eval $(xdotool getwindowgeometry --shell $w)
  exec xdotool mousemove --window $w $((WIDTH / 2)) $((HEIGHT / 2)) click 1 sleep 0.5
done
exit 1)sh";

// The day in the calendar's third week's Thursday of this month, as "dd/mm/yyyy".
std::string ThirdWeekThursday() {
    using namespace std::chrono;
    const year_month_day today{floor<days>(system_clock::now())};
    const sys_days first{today.year() / today.month() / 1};
    const unsigned mondayIndex = (weekday{first}.c_encoding() + 6) % 7;
    const year_month_day day{first - days{mondayIndex} + days{17}};
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", static_cast<unsigned>(day.day()),
                  static_cast<unsigned>(day.month()), static_cast<int>(day.year()));
    return text;
}

class PopupEditsDemoEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xserver_.Display().empty()) << "Xvfb did not start";
        const std::string command =
            std::string("exec '") + POPUP_EDITS_DEMO_PROGRAM + "' > '" + output_.string() + "'";
        demo_.Start({"/bin/sh", "-c", command}, {"DISPLAY=" + xserver_.Display(), "LC_ALL=C"});
        ASSERT_TRUE(Xdotool({"search", "--sync", "--name", "^Edit controls demo$"}))
            << "the demo window did not appear";
    }

    bool Xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return xserver_.Run(args, 15s);
    }
    bool ClickAt(int x, int y) {
        return Xdotool({"search", "--name", "^Edit controls demo$", "mousemove", "--window", "%1",
                        std::to_string(x), std::to_string(y), "click", "1", "sleep", "0.3"});
    }
    bool ClickButtonOfRow(int row) { return ClickAt(kControlLeft + kControlWidth - 8, RowTop(row) + 8); }
    std::string Output() const {
        std::ifstream in(output_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    testsupport::TempDir dir_{"popup_edits_demo_e2e"};
    std::filesystem::path output_ = dir_.Path() / "records.txt";
    testsupport::XvfbServer xserver_{"1024x768x24"};
    testsupport::ChildProcess demo_;
};

TEST_F(PopupEditsDemoEndToEnd, ClickedDayAndTypedSumArePrinted) {
    const std::string day = ThirdWeekThursday();
    ASSERT_TRUE(ClickButtonOfRow(kVisitRow));
    ASSERT_TRUE(xserver_.Run({"/bin/sh", "-c", kClickPopupMiddle}, 15s)) << "no calendar to click";
    // The calculator keeps "=" pending after 130, so the first Enter adds and the second closes.
    ASSERT_TRUE(ClickButtonOfRow(kTotalRow));
    ASSERT_TRUE(Xdotool({"type", "--delay", "60", "120+130"}));
    ASSERT_TRUE(Xdotool({"key", "--delay", "100", "Return", "Return", "sleep", "0.3"}));
    ASSERT_TRUE(ClickAt(kCloseLeft + kCloseWidth / 2, RowTop(0) + kCloseHeight / 2));

    EXPECT_EQ(demo_.WaitExit(15s), 0);
    EXPECT_EQ(Output(),
              "NAME=; POLICY=; CODE=; CITY=; AMOUNT=; VISIT=; PAID=False\nVISIT=" + day + "; TOTAL=250\n");
}

}  // namespace
