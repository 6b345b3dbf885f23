// Hooking a control's window procedure and telling utility windows of a colour change: what a
// control attached from outside (a grid's external scroll bar) and a hidden window rely on.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/panel.h"
#include "platform/ui/system_colour_change.h"

namespace {

TEST(WindowHooks, AControlKnowsWhetherItsWindowProcedureIsStillItsOwn) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    TPanel* panel = NewComponent<TPanel>(form);
    TPanel* other = NewComponent<TPanel>(form);
    EXPECT_TRUE(panel->HasOwnWindowProc());

    int hooked = 0;
    panel->WindowProc = [&](TMessage& m) {
        ++hooked;
        panel->WndProc(m);
    };
    EXPECT_FALSE(panel->HasOwnWindowProc());
    panel->Perform(WM_NULL);
    EXPECT_EQ(hooked, 1);

    panel->WindowProc = panel->OwnWindowProc();
    EXPECT_TRUE(panel->HasOwnWindowProc());
    panel->Perform(WM_NULL);
    EXPECT_EQ(hooked, 1);
    // Another control's own procedure is a hook too.
    panel->WindowProc = other->OwnWindowProc();
    EXPECT_FALSE(panel->HasOwnWindowProc());
}

TEST(WindowHooks, UtilityWindowsHearAColourChangeUntilTheyAreFreed) {
    platform::ui::HeadlessSession ui;
    std::vector<UINT> heard;
    HWND wnd = AllocateHWnd([&](TMessage& m) { heard.push_back(m.Msg); });
    BroadcastSysColorChange();
    EXPECT_EQ(heard, std::vector<UINT>{WM_SYSCOLORCHANGE});
    DeallocateHWnd(wnd);
    BroadcastSysColorChange();
    EXPECT_EQ(heard.size(), 1u);
}

TEST(WindowHooks, TheHeadlessHostReportsThePaletteItIsGiven) {
    platform::ui::HeadlessSession ui;
    EXPECT_EQ(platform::ui::CurrentWindowSystem().ScreenNumColors(), -1);
    ui.System().SetScreenNumColors(256);
    EXPECT_EQ(platform::ui::CurrentWindowSystem().ScreenNumColors(), 256);
}

}  // namespace
