// A window's own scroll bars: the room they take from the client area, where they lie for the mouse,
// the scroll codes their arrows, track and thumb send through the non-client mouse messages, and the
// repeat of a held press on the program's clock.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/system_metrics.h"

namespace {

struct Notice {
    UINT msg;
    int code;
    int pos;
    bool operator==(const Notice&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& n) {
    return out << (n.msg == WM_VSCROLL ? "V" : "H") << "(" << n.code << ", " << n.pos << ")";
}

// A window scrolled as programs scroll theirs: each notice moves the bar's position.
class ScrolledWindow : public TCustomControl {
  public:
    ScrolledWindow(TComponent* owner, DWORD styles, DWORD exStyles)
        : TCustomControl(owner), styles_(styles), exStyles_(exStyles) {}
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) {
            int code = static_cast<int>(m.WParam & 0xFFFF);
            int pos = static_cast<std::int16_t>(m.WParam >> 16);
            notices.push_back({m.Msg, code, pos});
            Follow(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, code, pos);
            return;
        }
        if (m.Msg == WM_SIZE)
            ++sizes;
        TCustomControl::Dispatch(m);
    }
    std::vector<Notice> notices;
    int sizes = 0;
    int presses = 0;

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= styles_;
        params.ExStyle |= exStyles_;
    }
    void MouseDown(TMouseButton, TShiftState, int, int) override { ++presses; }

  private:
    void Follow(int bar, int code, int pos) {
        int now = GetScrollPos(Handle(), bar);
        int next = code == SB_LINEUP                                   ? now - 1
                   : code == SB_LINEDOWN                               ? now + 1
                   : code == SB_PAGEUP                                 ? now - 10
                   : code == SB_PAGEDOWN                               ? now + 10
                   : code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? pos
                                                                       : now;
        SetScrollPos(Handle(), bar, next, true);
    }
    DWORD styles_;
    DWORD exStyles_;
};

class WindowScrollBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 400, 300);
        form->Show();
        ui.ProcessMessages();
    }
    ScrolledWindow* MakeWindow(DWORD styles, DWORD exStyles = 0) {
        auto* w = NewComponent<ScrolledWindow>(form, styles, exStyles);
        w->SetParent(form);
        w->SetBounds(20, 20, 200, 150);
        w->HandleNeeded();
        return w;
    }
    // Both bars over 0..99 with a page of 10, the vertical at 50. The vertical bar spans 183..200 by
    // 0..133: arrows of 17 and a track of 99 with a thumb of 9, so a pixel is a position.
    ScrolledWindow* MakeScrolled() {
        ScrolledWindow* w = MakeWindow(WS_VSCROLL | WS_HSCROLL);
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        info.nMax = 99;
        info.nPage = 10;
        SetScrollInfo(w->Handle(), SB_HORZ, info, true);
        info.nPos = 50;
        SetScrollInfo(w->Handle(), SB_VERT, info, true);
        return w;
    }
    // Mouse input at a point of the window's rectangle, frame included.
    TPoint OnForm(ScrolledWindow* w, TPoint windowPos) {
        TPoint o = w->FormOrigin();
        TPoint c = w->ClientOffset();
        return {o.X - c.X + windowPos.X, o.Y - c.Y + windowPos.Y};
    }
    void Down(ScrolledWindow* w, TPoint at) {
        platform::ui::PostMouseDown(*form, mbLeft, {}, OnForm(w, at));
        ui.ProcessMessages();
    }
    void Move(ScrolledWindow* w, TPoint at) {
        platform::ui::PostMouseMove(*form, {ssLeft}, OnForm(w, at));
        ui.ProcessMessages();
    }
    void Up(ScrolledWindow* w, TPoint at) {
        platform::ui::PostMouseUp(*form, mbLeft, {ssLeft}, OnForm(w, at));
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
};

TEST_F(WindowScrollBarTest, ShownBarsTakeTheirRoomFromTheClientArea) {
    int cx = GetSystemMetrics(SM_CXVSCROLL);
    int cy = GetSystemMetrics(SM_CYHSCROLL);
    struct Case {
        const char* name;
        bool vertical, horizontal;
        DWORD exStyles;
        TRect client;  // window coordinates
        LRESULT atRightEdge, atBottomEdge, atCorner;
    } cases[] = {
        {"neither", false, false, 0, {0, 0, 200, 150}, HTCLIENT, HTCLIENT, HTCLIENT},
        {"vertical", true, false, 0, {0, 0, 200 - cx, 150}, HTVSCROLL, HTCLIENT, HTVSCROLL},
        {"horizontal", false, true, 0, {0, 0, 200, 150 - cy}, HTCLIENT, HTHSCROLL, HTHSCROLL},
        {"both", true, true, 0, {0, 0, 200 - cx, 150 - cy}, HTVSCROLL, HTHSCROLL, HTBORDER},
        {"both in a sunken edge",
         true,
         true,
         WS_EX_CLIENTEDGE,
         {2, 2, 198 - cx, 148 - cy},
         HTVSCROLL,
         HTHSCROLL,
         HTBORDER},
        {"vertical at the left",
         true,
         false,
         WS_EX_LEFTSCROLLBAR,
         {cx, 0, 200, 150},
         HTCLIENT,
         HTCLIENT,
         HTCLIENT},
    };
    for (const auto& c : cases) {
        ScrolledWindow* w = MakeWindow(0, c.exStyles);
        int sizesBefore = w->sizes;
        ShowScrollBar(w->Handle(), SB_VERT, c.vertical);
        ShowScrollBar(w->Handle(), SB_HORZ, c.horizontal);
        TPoint offset = w->ClientOffset();
        EXPECT_EQ(Bounds(offset.X, offset.Y, w->ClientWidth(), w->ClientHeight()), c.client) << c.name;
        EXPECT_EQ(w->sizes - sizesBefore, int(c.vertical) + int(c.horizontal))
            << c.name << ": told of each change";
        auto hit = [&](int x, int y) {
            TPoint screen = w->ClientToScreen({x - offset.X, y - offset.Y});
            return SendMessage(w->Handle(), WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y));
        };
        int inner = c.exStyles & WS_EX_CLIENTEDGE ? 2 : 0;
        EXPECT_EQ(hit(200 - inner - 3, 60), c.atRightEdge) << c.name;
        EXPECT_EQ(hit(60, 150 - inner - 3), c.atBottomEdge) << c.name;
        EXPECT_EQ(hit(200 - inner - 3, 150 - inner - 3), c.atCorner) << c.name;
        Free(w);
    }
}

TEST_F(WindowScrollBarTest, ArrowsTrackAndThumbSendTheirCodes) {
    using Steps = std::vector<TPoint>;  // press at the first, move through the middle, release at the last
    struct Case {
        const char* name;
        Steps steps;
        std::vector<Notice> want;
        int vertPos;
    } cases[] = {
        {"up arrow", {{191, 5}, {191, 5}}, {{WM_VSCROLL, SB_LINEUP, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}, 49},
        {"down arrow",
         {{191, 128}, {191, 128}},
         {{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}},
         51},
        {"track above the thumb",
         {{191, 40}, {191, 40}},
         {{WM_VSCROLL, SB_PAGEUP, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}},
         40},
        {"track below the thumb",
         {{191, 100}, {191, 100}},
         {{WM_VSCROLL, SB_PAGEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}},
         60},
        {"left arrow of the horizontal bar",
         {{5, 141}, {5, 141}},
         {{WM_HSCROLL, SB_LINELEFT, 0}, {WM_HSCROLL, SB_ENDSCROLL, 0}},
         50},
        {"thumb dragged down and back",
         {{191, 70}, {191, 90}, {191, 80}, {191, 80}},
         {{WM_VSCROLL, SB_THUMBTRACK, 70},
          {WM_VSCROLL, SB_THUMBTRACK, 60},
          {WM_VSCROLL, SB_THUMBPOSITION, 60},
          {WM_VSCROLL, SB_ENDSCROLL, 0}},
         60},
        {"thumb dragged past the end",
         {{191, 70}, {195, 300}},
         {{WM_VSCROLL, SB_THUMBTRACK, 90}, {WM_VSCROLL, SB_THUMBPOSITION, 90}, {WM_VSCROLL, SB_ENDSCROLL, 0}},
         90},
        {"thumb taken and let go in place",
         {{191, 70}, {191, 70}},
         {{WM_VSCROLL, SB_THUMBPOSITION, 50}, {WM_VSCROLL, SB_ENDSCROLL, 0}},
         50},
    };
    for (const auto& c : cases) {
        ScrolledWindow* w = MakeScrolled();
        Down(w, c.steps.front());
        for (std::size_t i = 1; i + 1 < c.steps.size(); ++i) Move(w, c.steps[i]);
        Up(w, c.steps.back());
        EXPECT_EQ(w->notices, c.want) << c.name;
        EXPECT_EQ(GetScrollPos(w->Handle(), SB_VERT), c.vertPos) << c.name;
        EXPECT_EQ(w->presses, 0) << c.name << ": the bar's press is no click in the client area";
        EXPECT_EQ(GetCaptureControl(), nullptr) << c.name;
        Free(w);
    }
}

TEST_F(WindowScrollBarTest, AHeldArrowRepeatsOnTheClockUntilReleased) {
    ScrolledWindow* w = MakeScrolled();
    Down(w, {191, 128});
    ASSERT_EQ(w->notices.size(), 1u);
    ui.Advance(399);
    EXPECT_EQ(w->notices.size(), 1u) << "no repeat before the first delay";
    ui.Advance(1);
    EXPECT_EQ(w->notices.size(), 2u);
    ui.Advance(300);
    EXPECT_EQ(w->notices.size(), 5u) << "then one every interval";
    Move(w, {191, 60});
    ui.Advance(300);
    EXPECT_EQ(w->notices.size(), 5u) << "not while the pointer is off the arrow";
    Move(w, {191, 128});
    ui.Advance(100);
    EXPECT_EQ(w->notices.size(), 6u);
    Up(w, {191, 128});
    ui.Advance(1000);
    ASSERT_EQ(w->notices.size(), 7u) << "nothing after the release";
    EXPECT_EQ(w->notices.back(), (Notice{WM_VSCROLL, SB_ENDSCROLL, 0}));
    EXPECT_EQ(GetScrollPos(w->Handle(), SB_VERT), 56);
}

TEST_F(WindowScrollBarTest, AHeldTrackPagesUntilTheThumbReachesThePointer) {
    ScrolledWindow* w = MakeScrolled();
    Down(w, {191, 100});  // the thumb's top at 67; 60 and 70 still leave the pointer below it
    ui.Advance(2000);
    EXPECT_EQ(GetScrollPos(w->Handle(), SB_VERT), 80);
    Up(w, {191, 100});
    EXPECT_EQ(w->notices.size(), 4u) << "three pages and the end";
}

TEST_F(WindowScrollBarTest, DisabledBarsAndLostCaptureSendNothingMore) {
    ScrolledWindow* w = MakeScrolled();
    EnableScrollBar(w->Handle(), SB_VERT, ESB_DISABLE_BOTH);
    Down(w, {191, 128});
    Up(w, {191, 128});
    EXPECT_TRUE(w->notices.empty()) << "a disabled bar";
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMax = 5;
    info.nPage = 10;
    SetScrollInfo(w->Handle(), SB_HORZ, info, true);
    ASSERT_TRUE(IsScrollBarVisible(w->Handle(), SB_HORZ));
    Down(w, {5, 141});
    Up(w, {5, 141});
    EXPECT_TRUE(w->notices.empty()) << "a bar kept shown with nothing to scroll";

    EnableScrollBar(w->Handle(), SB_VERT, ESB_ENABLE_BOTH);
    Down(w, {191, 128});
    ReleaseCapture();
    ui.Advance(1000);
    EXPECT_EQ(w->notices, (std::vector<Notice>{{WM_VSCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0}}));
}

}  // namespace
