// The grid's scroll-bar settings: visibility modes, copying, and an external scroll bar that
// takes the place of the grid's own: its clicks reach the grid, it can be moved to another grid,
// and a bar someone else has hooked is refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "data_grid/grid_scroll_bar.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/scroll_bar.h"

namespace {

// Hears its scroll messages and its requests to refresh.
class ScrollGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL)
            heard.push_back(std::string(Message.Msg == WM_VSCROLL ? "vscroll " : "hscroll ") +
                            std::to_string(Message.WParam & 0xFFFF));
        TCustomDBGridEh::WndProc(Message);
    }
    void RefreshVertScrollBar() override { heard.push_back("refresh vertical bar"); }
    void RefreshLayout() override { heard.push_back("refresh layout"); }
    std::vector<std::string> heard;
};

struct ScrollBarFixture : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    ScrollGrid* first = nullptr;
    ScrollGrid* second = nullptr;
    TScrollBar* bar = nullptr;

    ScrollBarFixture() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 600, 300);
        first = MakeGrid(0);
        second = MakeGrid(250);
        bar = NewComponent<TScrollBar>(form);
        bar->SetName("ExternalBar");
        bar->SetKind(sbVertical);
        bar->SetParent(form);
        bar->SetBounds(520, 10, 17, 200);
        form->Show();
        ui.ProcessMessages();
        first->heard.clear();
        second->heard.clear();
    }
    ScrollGrid* MakeGrid(int left) {
        ScrollGrid* grid = NewComponent<ScrollGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(left, 0, 240, 200);
        return grid;
    }
    static TDBGridEhScrollBar& Vert(ScrollGrid* grid) {
        return dynamic_cast<TDBGridEhScrollBar&>(*grid->VertScrollBar());
    }
    void ClickDownArrow() {
        ui.ClickAt(bar, {8, bar->ClientHeight() - 5});
        ui.ProcessMessages();
    }
};

TEST_F(ScrollBarFixture, TheGridMakesAHorizontalAndAVerticalSettingsObject) {
    EXPECT_EQ(first->HorzScrollBar()->Kind(), sbHorizontalEh);
    EXPECT_NE(dynamic_cast<TVertDBGridEhScrollBar*>(first->VertScrollBar()), nullptr);
    EXPECT_EQ(dynamic_cast<TVertDBGridEhScrollBar*>(first->HorzScrollBar()), nullptr);
}

TEST_F(ScrollBarFixture, VisibleFollowsTheModeAndTheModeRefreshesTheGrid) {
    TDBGridEhScrollBar& vert = Vert(first);
    struct Case {
        const char* what;
        std::function<void()> set;
        TScrollBarVisibleModeEh mode;
        bool visible;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {"always",
         [&] { vert.SetVisibleMode(sbAlwaysShowEh); },
         sbAlwaysShowEh,
         true,
         {"refresh vertical bar", "refresh layout"}},
        {"always again", [&] { vert.SetVisibleMode(sbAlwaysShowEh); }, sbAlwaysShowEh, true, {}},
        {"hidden",
         [&] { vert.SetVisible(false); },
         sbNeverShowEh,
         false,
         {"refresh vertical bar", "refresh layout"}},
        {"shown",
         [&] { vert.SetVisible(true); },
         sbAutoShowEh,
         true,
         {"refresh vertical bar", "refresh layout"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        first->heard.clear();
        c.set();
        EXPECT_EQ(vert.VisibleMode(), c.mode);
        EXPECT_EQ(vert.Visible(), c.visible);
        EXPECT_EQ(first->heard, c.heard);
    }
    auto& horz = dynamic_cast<TDBGridEhScrollBar&>(*first->HorzScrollBar());
    first->heard.clear();
    horz.SetVisible(false);
    EXPECT_EQ(first->heard, (std::vector<std::string>{"refresh layout"}));
}

TEST_F(ScrollBarFixture, AnExternalBarsClicksReachTheGridUntilItMovesToAnother) {
    Vert(first).SetExtScrollBar(bar);
    EXPECT_EQ(first->heard, (std::vector<std::string>{"refresh vertical bar", "refresh layout"}));
    EXPECT_TRUE(Vert(first).IsShown());
    first->heard.clear();
    ClickDownArrow();
    EXPECT_EQ(first->heard, (std::vector<std::string>{"vscroll 1", "vscroll 8"}));  // line down, end scroll
    // The bar still scrolls itself.
    EXPECT_EQ(bar->Position(), 1);

    try {
        Vert(second).SetExtScrollBar(bar);
        ADD_FAILURE() << "a hooked bar was taken";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Possible ExternalBar already attached to the other control.");
    }
    EXPECT_EQ(Vert(second).ExtScrollBar(), nullptr);

    Vert(first).SetExtScrollBar(nullptr);
    Vert(second).SetExtScrollBar(bar);
    first->heard.clear();
    second->heard.clear();
    ClickDownArrow();
    EXPECT_TRUE(first->heard.empty());
    EXPECT_EQ(second->heard, (std::vector<std::string>{"vscroll 1", "vscroll 8"}));
}

TEST_F(ScrollBarFixture, AHorizontalSettingSendsHorizontalScrolls) {
    auto& horz = dynamic_cast<TDBGridEhScrollBar&>(*first->HorzScrollBar());
    horz.SetExtScrollBar(bar);
    ClickDownArrow();
    EXPECT_EQ(first->heard, (std::vector<std::string>{"refresh layout", "hscroll 1", "hscroll 8"}));
}

TEST_F(ScrollBarFixture, AnExternalBarFollowsVisibleAndIsForgottenWhenFreed) {
    Vert(first).SetVisible(false);
    Vert(first).SetExtScrollBar(bar);
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(Vert(first).IsShown());
    Vert(first).SetVisible(true);
    EXPECT_TRUE(bar->Visible());
    Free(bar);
    EXPECT_EQ(Vert(first).ExtScrollBar(), nullptr);
}

TEST_F(ScrollBarFixture, ABarHookedByAnotherControlIsRefused) {
    bar->WindowProc = [this](TMessage& message) { bar->WndProc(message); };
    EXPECT_THROW(Vert(first).SetExtScrollBar(bar), Exception);
    EXPECT_EQ(Vert(first).ExtScrollBar(), nullptr);
    EXPECT_THROW(Vert(first).SetExtScrollBar(form), EConvertError);
}

TEST_F(ScrollBarFixture, AssignCopiesVisibilityTrackingAndTheExternalBar) {
    Vert(first).SetTracking(true);
    Vert(first).SetVisible(false);
    auto& horz = dynamic_cast<TDBGridEhScrollBar&>(*second->HorzScrollBar());
    horz.Assign(Vert(first));
    EXPECT_TRUE(horz.Tracking());
    EXPECT_FALSE(horz.Visible());
    EXPECT_EQ(horz.ExtScrollBar(), nullptr);
    // A bar hooked by the source cannot be hooked a second time.
    Vert(first).SetExtScrollBar(bar);
    EXPECT_THROW(horz.Assign(Vert(first)), Exception);
    EXPECT_EQ(horz.ExtScrollBar(), nullptr);
}

TEST_F(ScrollBarFixture, ScrollInformationComesFromTheBarTheGridScrollsWith) {
    SCROLLINFO info{};
    info.fMask = SIF_ALL;
    // The grid's own window has no vertical bar of its own.
    EXPECT_FALSE(Vert(first).ReadScrollInfo(info));
    bar->SetParams(7, 0, 50);
    Vert(first).SetExtScrollBar(bar);
    ASSERT_TRUE(Vert(first).ReadScrollInfo(info));
    EXPECT_EQ(info.nPos, 7);
    EXPECT_EQ(info.nMax, 50);
}

}  // namespace
