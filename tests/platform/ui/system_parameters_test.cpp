// Monitors by rectangle, the work area query, the message beep and the theme service on the
// headless host.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/headless.h"
#include "platform/ui/screen.h"
#include "platform/ui/system_parameters.h"
#include "platform/ui/themes.h"

namespace {

class SystemParametersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Two monitors side by side; the second is primary and loses 40 rows to a task bar.
        ui.System().SetMonitors({{Rect(-1024, 0, 0, 768), Rect(-1024, 0, 0, 768), false},
                                 {Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 984), true}});
    }
    platform::ui::HeadlessSession ui;
};

TEST_F(SystemParametersTest, MonitorFromRectTakesTheLargestOverlapOrAsAsked) {
    struct Case {
        const char* Name;
        TRect Rect;
        TMonitorDefaultTo How;
        int Expected;  // monitor number, -1 none
    };
    const std::vector<Case> cases = {
        {"inside the left one", Rect(-500, 10, -400, 50), mdNearest, 0},
        {"mostly on the right one", Rect(-10, 10, 90, 50), mdNearest, 1},
        {"mostly on the left one", Rect(-90, 10, 10, 50), mdNearest, 0},
        {"below the left one, nearest", Rect(-600, 900, -500, 950), mdNearest, 0},
        {"far right, nearest", Rect(3000, 10, 3100, 50), mdNearest, 1},
        {"on none, null", Rect(-600, 900, -500, 950), mdNull, -1},
        {"on none, primary", Rect(-600, 900, -500, 950), mdPrimary, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TMonitor* monitor = Screen->MonitorFromRect(c.Rect, c.How);
        EXPECT_EQ(monitor != nullptr ? monitor->MonitorNum : -1, c.Expected);
    }
    EXPECT_EQ(Screen->MonitorFromPoint(Point(-1, 5))->MonitorNum, 0);
    EXPECT_EQ(Screen->MonitorFromPoint(Point(0, 5))->MonitorNum, 1);
}

TEST_F(SystemParametersTest, WorkAreaIsThePrimaryMonitors) {
    TRect area;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area, Rect(0, 0, 1280, 984));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &area, 0));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETWORKAREA, 0, nullptr, 0));
}

TEST_F(SystemParametersTest, MessageBeepReachesTheHost) {
    EXPECT_TRUE(MessageBeep(MB_ICONWARNING));
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
    EXPECT_EQ(ui.System().Beeps(), (std::vector<UINT>{MB_ICONWARNING, 0xFFFFFFFF}));
}

TEST_F(SystemParametersTest, NoThemesWithoutADisplay) {
    EXPECT_FALSE(ThemeServices().ThemesEnabled());
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    bitmap.Canvas()->Brush()->SetColor(clLime);
    bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
    ThemeServices().DrawElement(bitmap.Canvas(), {teButton, BP_CHECKBOX, CBS_CHECKEDNORMAL},
                                Rect(0, 0, 16, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(bitmap.Canvas()->Pixel(x, y), clLime);
}

}  // namespace
