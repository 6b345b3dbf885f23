// Scroll bars: a window's bars through SetScrollInfo / GetScrollInfo, and TScrollBar clicked and dragged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/virtual_keys.h"

namespace {

class ScrollForm : public TForm {
  public:
    explicit ScrollForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 400, 300);
        bar = NewComponent<TScrollBar>(this);
        bar->SetParent(this);
        bar->SetKind(sbVertical);
        bar->SetBounds(10, 10, 17, 217);  // arrows of 17, a track of 183
        bar->SetParams(0, 0, 99);
        bar->SetPageSize(10);
        bar->SmallChange = 1;
        bar->LargeChange = 10;
        bar->OnScroll = [this](TObject*, TScrollCode code, int& pos) {
            codes.push_back(code);
            if (clampTo >= 0)
                pos = std::min(pos, clampTo);
        };
        bar->OnChange = [this](TObject*) { ++changes; };
        plain = NewComponent<TWinControl>(this);
        plain->SetParent(this);
        plain->SetBounds(100, 10, 100, 100);
    }
    // The parent hears of every step, with the bar's window.
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL)
            heard.push_back({m.Msg, static_cast<int>(m.WParam & 0xFFFF), m.LParam});
        TForm::Dispatch(m);
    }
    struct Heard {
        UINT msg;
        int code;
        LPARAM from;
        bool operator==(const Heard&) const = default;
    };
    TScrollBar* bar;
    TWinControl* plain;
    std::vector<Heard> heard;
    std::vector<TScrollCode> codes;
    int changes = 0;
    int clampTo = -1;
};

class ScrollBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    void Mouse(UINT what, TPoint at) {
        TPoint o = form->bar->FormOrigin();
        TPoint p{o.X + at.X, o.Y + at.Y};
        if (what == WM_LBUTTONDOWN)
            platform::ui::PostMouseDown(*form, mbLeft, {}, p);
        else if (what == WM_LBUTTONUP)
            platform::ui::PostMouseUp(*form, mbLeft, {ssLeft}, p);
        else
            platform::ui::PostMouseMove(*form, {ssLeft}, p);
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    ScrollForm* form = nullptr;
};

TEST(ScrollBarValues, PageAndPositionStayWithinTheRange) {
    struct Case {
        UINT mask;
        int min, max;
        UINT page;
        int pos;
        int wantMax;
        UINT wantPage;
        int wantPos;
        bool canScroll;
    } cases[] = {
        {SIF_ALL, 0, 99, 10, 50, 99, 10, 50, true},
        {SIF_ALL, 0, 99, 10, 95, 99, 10, 90, true},  // no further than the last full page
        {SIF_ALL, 0, 99, 0, 99, 99, 0, 99, true},
        {SIF_ALL, 0, 99, 500, 7, 99, 100, 0, false},  // the page covers the range
        {SIF_ALL, 5, 2, 0, 0, 5, 0, 5, false},        // a reversed range is empty
        {SIF_ALL, -10, 10, 5, -20, 10, 5, -10, true},
    };
    for (const auto& c : cases) {
        ScrollBarValues v;
        SCROLLINFO in;
        in.fMask = c.mask;
        in.nMin = c.min;
        in.nMax = c.max;
        in.nPage = c.page;
        in.nPos = c.pos;
        v.Apply(in);
        EXPECT_EQ(v.Max, c.wantMax) << c.max;
        EXPECT_EQ(v.Page, c.wantPage) << c.page;
        EXPECT_EQ(v.Pos, c.wantPos) << c.pos;
        EXPECT_EQ(v.CanScroll(), c.canScroll) << c.pos;
    }
}

TEST_F(ScrollBarTest, AWindowBarShowsWhileItCanScrollOrIsKeptByDisableNoScroll) {
    HWND h = form->plain->Handle();
    SCROLLINFO probe;
    probe.fMask = SIF_ALL;
    EXPECT_FALSE(GetScrollInfo(h, SB_VERT, probe)) << "no bar was ever set";
    struct Case {
        int max;
        UINT page;
        UINT extra;
        bool shown;
        bool enabled;
    } cases[] = {
        {100, 10, 0, true, true},
        {5, 10, 0, false, false},
        {5, 10, SIF_DISABLENOSCROLL, true, false},
        {40, 10, SIF_DISABLENOSCROLL, true, true},
    };
    for (const auto& c : cases) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | c.extra;
        info.nMax = c.max;
        info.nPage = c.page;
        info.nPos = 3;
        SetScrollInfo(h, SB_VERT, info, true);
        EXPECT_EQ(IsScrollBarVisible(h, SB_VERT), c.shown) << c.max << " " << c.extra;
        EXPECT_EQ(IsScrollBarEnabled(h, SB_VERT), c.enabled) << c.max << " " << c.extra;
    }
    SCROLLINFO read;
    read.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, read));
    EXPECT_EQ(read.nMax, 40);
    EXPECT_EQ(read.nPage, 10u);
    EXPECT_EQ(read.nPos, 3);
    EXPECT_FALSE(IsScrollBarVisible(h, SB_HORZ));
    ShowScrollBar(h, SB_BOTH, true);
    EXPECT_TRUE(IsScrollBarVisible(h, SB_HORZ));
    EXPECT_EQ(SetScrollPos(h, SB_VERT, 1000, false), 3);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 31);
}

TEST_F(ScrollBarTest, TheControlIsTheSbCtlBar) {
    HWND h = form->bar->Handle();
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = 42;
    EXPECT_EQ(SetScrollInfo(h, SB_CTL, info, true), 42);
    EXPECT_EQ(form->bar->Position(), 42);
    EXPECT_EQ(GetScrollPos(h, SB_CTL), 42);
    EXPECT_EQ(form->changes, 1);
}

TEST_F(ScrollBarTest, ClicksOnTheArrowsAndTheTrackStepByTheirChanges) {
    form->bar->SetPosition(50);
    TRect thumb = form->bar->ThumbRect();
    struct Case {
        TPoint at;
        TScrollCode code;
        int want;
    } cases[] = {
        {{8, 5}, scLineUp, 49},
        {{8, 211}, scLineDown, 50},
        {{8, thumb.Top - 3}, scPageUp, 40},
        {{8, thumb.Bottom + 30}, scPageDown, 50},
    };
    for (const auto& c : cases) {
        form->codes.clear();
        Mouse(WM_LBUTTONDOWN, c.at);
        Mouse(WM_LBUTTONUP, c.at);
        EXPECT_EQ(form->bar->Position(), c.want) << c.code;
        EXPECT_EQ(form->codes, (std::vector<TScrollCode>{c.code, scEndScroll}));
    }
    // OnScroll has the last word on the position.
    form->clampTo = 45;
    Mouse(WM_LBUTTONDOWN, {8, form->bar->ThumbRect().Bottom + 30});
    Mouse(WM_LBUTTONUP, {8, form->bar->ThumbRect().Bottom + 30});
    EXPECT_EQ(form->bar->Position(), 45);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksThenSettles) {
    TRect thumb = form->bar->ThumbRect();
    int grip = thumb.Top + 2;
    Mouse(WM_LBUTTONDOWN, {8, grip});
    EXPECT_EQ(form->bar->Position(), 0);
    Mouse(WM_MOUSEMOVE, {8, grip + 82});  // halfway along the room left to the thumb
    EXPECT_EQ(form->bar->Position(), 45);
    EXPECT_EQ(form->codes.back(), scTrack);
    Mouse(WM_MOUSEMOVE, {8, 400});  // past the end: the last full page
    EXPECT_EQ(form->bar->Position(), 90);
    EXPECT_EQ(form->bar->ThumbRect().Bottom, 200);
    Mouse(WM_LBUTTONUP, {8, 400});
    EXPECT_EQ(form->codes.back(), scEndScroll);
    EXPECT_EQ(form->codes[form->codes.size() - 2], scPosition);
    EXPECT_EQ(form->bar->Position(), 90);
}

TEST_F(ScrollBarTest, ScrollMessagesAndKeysReachThePosition) {
    struct Case {
        int code;
        int trackPos;
        int want;
    } cases[] = {
        {SB_BOTTOM, 0, 90}, {SB_LINEUP, 0, 89}, {SB_THUMBTRACK, 30, 30}, {SB_TOP, 0, 0}, {SB_PAGEDOWN, 0, 10},
    };
    for (const auto& c : cases) {
        form->bar->Perform(WM_VSCROLL, static_cast<WPARAM>(c.code | (c.trackPos << 16)), 0);
        EXPECT_EQ(form->bar->Position(), c.want) << c.code;
    }
    form->bar->SetFocus();
    ui.PressKey(VK_END);
    EXPECT_EQ(form->bar->Position(), 90);
    ui.PressKey(VK_UP);
    EXPECT_EQ(form->bar->Position(), 89);
}

TEST_F(ScrollBarTest, TheParentHearsEachStepWithTheBarsWindow) {
    form->bar->SetPosition(50);
    Mouse(WM_LBUTTONDOWN, {8, 211});
    Mouse(WM_LBUTTONUP, {8, 211});
    form->bar->SetFocus();
    ui.PressKey(VK_HOME);
    auto from = static_cast<LPARAM>(form->bar->Handle());
    using Heard = ScrollForm::Heard;
    EXPECT_EQ(form->heard, (std::vector<Heard>{{WM_VSCROLL, SB_LINEDOWN, from},
                                               {WM_VSCROLL, SB_ENDSCROLL, from},
                                               {WM_VSCROLL, SB_TOP, from},
                                               {WM_VSCROLL, SB_ENDSCROLL, from}}));
    EXPECT_EQ(form->codes, (std::vector<TScrollCode>{scLineDown, scEndScroll, scTop, scEndScroll}))
        << "each notice came back to the bar";
    EXPECT_EQ(form->bar->Position(), 0);
}

TEST_F(ScrollBarTest, AHeldArrowOrTrackRepeatsUntilReleased) {
    form->bar->SetPosition(50);
    Mouse(WM_LBUTTONDOWN, {8, 211});
    ui.Advance(399);
    EXPECT_EQ(form->bar->Position(), 51);
    ui.Advance(201);
    EXPECT_EQ(form->bar->Position(), 54) << "after the delay, one step every interval";
    Mouse(WM_LBUTTONUP, {8, 211});
    ui.Advance(1000);
    EXPECT_EQ(form->bar->Position(), 54);
    EXPECT_EQ(form->codes.back(), scEndScroll);

    // The track pages until the thumb comes under the pointer.
    Mouse(WM_LBUTTONDOWN, {8, 180});
    ui.Advance(3000);
    Mouse(WM_LBUTTONUP, {8, 180});
    EXPECT_EQ(form->bar->Position(), 84);
    EXPECT_TRUE(form->bar->ThumbRect().Contains({8, 180}));
}

TEST_F(ScrollBarTest, AThumbDraggedOverAWideRangeKeepsTheWholePosition) {
    // Positions past 16 bits do not fit a notice's word; the bar keeps them whole.
    form->bar->SetParams(0, 0, 99999);
    form->bar->SetPageSize(1000);
    TRect thumb = form->bar->ThumbRect();
    Mouse(WM_LBUTTONDOWN, {8, thumb.Top + 1});
    Mouse(WM_MOUSEMOVE, {8, 400});
    EXPECT_EQ(form->bar->Position(), 99000);
    Mouse(WM_LBUTTONUP, {8, 400});
    EXPECT_EQ(form->bar->Position(), 99000);
}

}  // namespace
