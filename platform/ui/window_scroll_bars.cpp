#include "platform/ui/window_scroll_bars.h"

#include "platform/ui/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/win_control.h"
#include "platform/ui/window_functions.h"

namespace platform::ui {
namespace {

DWORD StyleOf(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

}  // namespace

WindowScrollBars::WindowScrollBars(TWinControl& window)
    : window_(window),
      tracker_([this] { return Layout(tracked_); }, [this](int code, int pos) { Send(code, pos); }) {}

WindowScrollBars::Bar* WindowScrollBars::Find(int bar, bool make) {
    if (bar != SB_HORZ && bar != SB_VERT)
        return nullptr;
    Bar& b = bars_[static_cast<std::size_t>(bar)];
    b.Set = b.Set || make || Shows(bar);
    return b.Set ? &b : nullptr;
}

bool WindowScrollBars::Shows(int bar) const {
    return (window_.WindowStyle() & StyleOf(bar)) != 0;
}

void WindowScrollBars::Show(int bar, bool show) {
    if (Shows(bar) == show)
        return;
    if (!show && Tracking() && tracked_ == bar)
        Cancel();
    DWORD& style = window_.params_.Style;
    style = show ? style | StyleOf(bar) : style & ~StyleOf(bar);
    TRect before = window_.ClientRect();
    window_.UpdateFrame();
    window_.Invalidate();
    TRect after = window_.ClientRect();
    // The client area changed size as the platform's would: the window hears of it.
    if (after.Width() != before.Width() || after.Height() != before.Height())
        window_.Perform(WM_SIZE, 0, MakeLParam(window_.Width(), window_.Height()));
}

TRect WindowScrollBars::Inside() const {
    int border = StyleFrameWidth(window_.WindowStyle(), window_.WindowExStyle());
    return {border, border, window_.Width() - border, window_.Height() - border};
}

void WindowScrollBars::TakeRoom(TRect& client) const {
    bool left = (window_.WindowExStyle() & WS_EX_LEFTSCROLLBAR) != 0;
    if (Shows(SB_VERT)) {
        if (left)
            client.Left += GetSystemMetrics(SM_CXVSCROLL);
        else
            client.Right -= GetSystemMetrics(SM_CXVSCROLL);
    }
    // Not clamped: the frame keeps the bars' widths even while the window is smaller than they are.
    if (Shows(SB_HORZ))
        client.Bottom -= GetSystemMetrics(SM_CYHSCROLL);
}

TRect WindowScrollBars::BarRect(int bar) const {
    if (!Shows(bar))
        return {};
    TRect inside = Inside();
    TRect client = inside;
    TakeRoom(client);
    if (bar == SB_VERT) {
        bool left = (window_.WindowExStyle() & WS_EX_LEFTSCROLLBAR) != 0;
        return left ? TRect{inside.Left, inside.Top, client.Left, client.Bottom}
                    : TRect{client.Right, inside.Top, inside.Right, client.Bottom};
    }
    return {client.Left, client.Bottom, client.Right, inside.Bottom};
}

TRect WindowScrollBars::CornerRect() const {
    if (!Shows(SB_VERT) || !Shows(SB_HORZ))
        return {};
    TRect vertical = BarRect(SB_VERT);
    TRect horizontal = BarRect(SB_HORZ);
    return {vertical.Left, horizontal.Top, vertical.Right, horizontal.Bottom};
}

LRESULT WindowScrollBars::HitTest(TPoint windowPos) const {
    if (BarRect(SB_VERT).Contains(windowPos))
        return HTVSCROLL;
    if (BarRect(SB_HORZ).Contains(windowPos))
        return HTHSCROLL;
    return CornerRect().Contains(windowPos) ? HTBORDER : HTNOWHERE;
}

ScrollBarLayout WindowScrollBars::Layout(int bar) const {
    const ScrollBarValues& values = bars_[static_cast<std::size_t>(bar)].Values;
    bool dragged = Tracking() && tracked_ == bar && tracker_.Pressed() == ScrollBarPart::Thumb;
    return ScrollBarLayout(BarRect(bar), bar == SB_VERT, values, dragged ? tracker_.TrackPos() : values.Pos);
}

void WindowScrollBars::Paint(TCanvas& canvas) const {
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (!Shows(bar))
            continue;
        bool enabled = bars_[static_cast<std::size_t>(bar)].Enabled && window_.Enabled();
        ScrollBarPart pressed = Tracking() && tracked_ == bar ? tracker_.Pressed() : ScrollBarPart::None;
        PaintScrollBar(canvas, Layout(bar), enabled, pressed);
    }
    if (TRect corner = CornerRect(); !corner.IsEmpty())
        PaintSolid(canvas, corner, clBtnFace);
}

bool WindowScrollBars::Press(LRESULT hit, TPoint windowPos) {
    int bar = hit == HTVSCROLL ? SB_VERT : hit == HTHSCROLL ? SB_HORZ : -1;
    if (bar < 0 || Tracking() || !Shows(bar) || !bars_[static_cast<std::size_t>(bar)].Enabled)
        return false;
    tracked_ = bar;
    tracker_.Press(windowPos);
    window_.Invalidate();
    return Tracking();
}

void WindowScrollBars::Move(TPoint windowPos) {
    tracker_.Move(windowPos);
}

void WindowScrollBars::Release(TPoint windowPos) {
    tracker_.Release(windowPos);
    window_.Invalidate();
}

void WindowScrollBars::Cancel() {
    tracker_.Cancel();
    window_.Invalidate();
}

void WindowScrollBars::Send(int code, int pos) {
    if (code == SB_THUMBTRACK)
        bars_[static_cast<std::size_t>(tracked_)].Values.TrackPos = pos;
    UINT msg = tracked_ == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    WPARAM wParam = static_cast<WPARAM>(code & 0xFFFF) | (static_cast<WPARAM>(pos & 0xFFFF) << 16);
    SendMessage(window_.Handle(), msg, wParam, 0);
}

}  // namespace platform::ui
