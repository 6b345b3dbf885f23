// Monitors and the screen cursor.
#include <gtest/gtest.h>

#include "platform/ui/headless.h"
#include "platform/ui/screen.h"

namespace {

TEST(ScreenTest, MonitorsAndWorkAreasComeFromTheHost) {
    platform::ui::HeadlessSession ui;
    ui.System().SetWorkAreas({Rect(0, 0, 1920, 1040), Rect(1920, 0, 3200, 1024)});
    ASSERT_EQ(Screen->MonitorCount(), 2);
    EXPECT_EQ(Screen->Monitors(0)->WorkareaRect, Rect(0, 0, 1920, 1040));
    EXPECT_EQ(Screen->Monitors(1)->WorkareaRect.Width(), 1280);
    EXPECT_EQ(Screen->Monitors(2), nullptr);
    EXPECT_TRUE(Screen->Monitors(0)->Primary);
    EXPECT_EQ(Screen->Width(), 1920);
}

TEST(ScreenTest, AMonitorFoundEarlierStaysValidWhenMoreMonitorsAppear) {
    platform::ui::HeadlessSession ui;
    ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
    TMonitor* first = Screen->Monitors(0);
    ASSERT_NE(first, nullptr);
    ui.System().SetWorkAreas({Rect(0, 0, 1920, 1040), Rect(1920, 0, 3200, 1024), Rect(3200, 0, 4480, 1024),
                              Rect(4480, 0, 5760, 1024), Rect(5760, 0, 7040, 1024)});
    TMonitor* second = Screen->Monitors(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->WorkareaRect, Rect(0, 0, 1920, 1040));
    EXPECT_EQ(second->WorkareaRect.Left, 1920);
    ui.System().SetWorkAreas({Rect(0, 0, 800, 600)});
    EXPECT_EQ(Screen->MonitorCount(), 1);
    EXPECT_EQ(Screen->Monitors(1), nullptr);
}

TEST(ScreenTest, TheHourglassIsShownAndTheDefaultCursorPutBack) {
    platform::ui::HeadlessSession ui;
    {
        TScopedCursor wait(crHourGlass);
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
    }
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(ui.System().CursorsShown(), (std::vector<TCursor>{crHourGlass, crDefault}));
}

}  // namespace
