// SetWindowPos and ShowWindow: what each flag moves, sizes, restacks, shows, hides or leaves unpainted,
// and that a window's showing stands apart from the control's Visible.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/panel.h"
#include "platform/ui/window_functions.h"

namespace {

class WindowPositionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        lower = new TPanel(form);
        lower->SetParent(form);
        lower->SetBounds(10, 10, 100, 100);
        upper = new TPanel(form);
        upper->SetParent(form);
        upper->SetBounds(60, 60, 100, 100);
        form->Show();
        ui.ProcessMessages();
    }
    TControl* At(int x, int y) { return platform::ui::ControlAtFormPoint(*form, {x, y}); }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TPanel* lower = nullptr;
    TPanel* upper = nullptr;
};

TEST_F(WindowPositionTest, EachFlagKeepsWhatItNames) {
    struct Case {
        const char* what;
        UINT flags;
        TRect bounds;
        TControl* onTopAtOverlap;
    } cases[] = {
        {"move, size and bring to the top", 0, Bounds(20, 30, 70, 80), nullptr},
        {"SWP_NOMOVE keeps the place", SWP_NOMOVE, Bounds(10, 10, 70, 80), nullptr},
        {"SWP_NOSIZE keeps the size", SWP_NOSIZE, Bounds(20, 30, 100, 100), nullptr},
        {"SWP_NOZORDER keeps the stacking", SWP_NOZORDER, Bounds(20, 30, 70, 80), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lower->SetBounds(10, 10, 100, 100);
        lower->SendToBack();
        ASSERT_TRUE(SetWindowPos(lower->Handle(), HWND_TOP, 20, 30, 70, 80, c.flags));
        EXPECT_EQ(lower->BoundsRect(), c.bounds);
        TControl* expectedTop = (c.flags & SWP_NOZORDER) != 0 ? static_cast<TControl*>(upper) : lower;
        EXPECT_EQ(At(65, 65), expectedTop);
    }
    EXPECT_FALSE(SetWindowPos(0x7FFFFFFF, HWND_TOP, 0, 0, 0, 0, 0)) << "no such window";
}

TEST_F(WindowPositionTest, HidingAWindowLeavesVisibleAndShowingItAgainNeedsNoVisible) {
    SetWindowPos(upper->Handle(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    EXPECT_TRUE(upper->Visible());
    EXPECT_FALSE(IsWindowVisible(upper->Handle()));
    EXPECT_EQ(At(150, 150), form) << "a hidden window takes no clicks";
    EXPECT_EQ(At(65, 65), lower);

    upper->SetVisible(false);
    EXPECT_FALSE(ShowWindow(upper->Handle(), SW_SHOWNA)) << "it was hidden";
    EXPECT_FALSE(upper->Visible());
    EXPECT_TRUE(IsWindowVisible(upper->Handle()));
    EXPECT_EQ(At(150, 150), upper);
    EXPECT_TRUE(ShowWindow(upper->Handle(), SW_HIDE)) << "it was shown";
    EXPECT_FALSE(IsWindowVisible(upper->Handle()));
    form->Hide();
    EXPECT_FALSE(IsWindowVisible(lower->Handle())) << "a shown window on a hidden form";
}

TEST_F(WindowPositionTest, NoRedrawMovesWithoutMarkingAnythingForPainting) {
    ASSERT_FALSE(form->NeedsPaint());
    SetWindowPos(upper->Handle(), 0, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
    EXPECT_EQ(upper->BoundsRect(), Bounds(200, 150, 100, 100));
    EXPECT_FALSE(form->NeedsPaint());
    SetWindowPos(upper->Handle(), 0, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(form->NeedsPaint());
}

}  // namespace
