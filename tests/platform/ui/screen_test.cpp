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
