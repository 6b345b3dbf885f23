#include "platform/ui/scroll_info.h"

#include <algorithm>

#include "platform/ui/scroll_bar.h"
#include "platform/ui/win_control.h"
#include "platform/ui/window_scroll_bars.h"

void ScrollBarValues::Apply(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        Min = info.nMin;
        Max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        Page = info.nPage;
    Page = std::min<UINT>(Page, static_cast<UINT>(Max - Min + 1));
    if (info.fMask & SIF_POS)
        Pos = info.nPos;
    Pos = std::clamp(Pos, Min, MaxPos());
    TrackPos = std::clamp(TrackPos, Min, MaxPos());
}

void ScrollBarValues::Fill(SCROLLINFO& info) const {
    if (info.fMask & SIF_RANGE) {
        info.nMin = Min;
        info.nMax = Max;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = Page;
    if (info.fMask & SIF_POS)
        info.nPos = Pos;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = TrackPos;
}

int ScrollBarValues::MaxPos() const {
    return std::max(Min, Max - std::max(static_cast<int>(Page) - 1, 0));
}

bool ScrollBarValues::CanScroll() const {
    return Min < Max && static_cast<long long>(Page) <= static_cast<long long>(Max) - Min;
}

namespace {

TScrollBar* BarControl(HWND wnd) {
    return dynamic_cast<TScrollBar*>(FindControl(wnd));
}

platform::ui::WindowScrollBars::Bar* WindowBar(HWND wnd, int bar, bool make) {
    TWinControl* control = FindControl(wnd);
    return control != nullptr ? control->ScrollBars().Find(bar, make) : nullptr;
}

}  // namespace

int SetScrollInfo(HWND wnd, int bar, const SCROLLINFO& info, bool redraw) {
    if (bar == SB_CTL) {
        TScrollBar* control = BarControl(wnd);
        return control != nullptr ? control->SetScrollValues(info) : 0;
    }
    auto* b = WindowBar(wnd, bar, true);
    if (b == nullptr)
        return 0;
    b->Values.Apply(info);
    int pos = b->Values.Pos;
    TWinControl* control = FindControl(wnd);
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        bool keepShown = (info.fMask & SIF_DISABLENOSCROLL) != 0;
        b->Enabled = b->Values.CanScroll();
        control->ScrollBars().Show(bar, b->Values.CanScroll() || keepShown);
    }
    if (redraw)
        control->Invalidate();
    return pos;
}

bool GetScrollInfo(HWND wnd, int bar, SCROLLINFO& info) {
    if (bar == SB_CTL) {
        TScrollBar* control = BarControl(wnd);
        if (control == nullptr)
            return false;
        control->Values().Fill(info);
        return true;
    }
    auto* b = WindowBar(wnd, bar, false);
    if (b == nullptr)
        return false;
    b->Values.Fill(info);
    return true;
}

int SetScrollPos(HWND wnd, int bar, int pos, bool redraw) {
    int previous = GetScrollPos(wnd, bar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(wnd, bar, info, redraw);
    return previous;
}

int GetScrollPos(HWND wnd, int bar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(wnd, bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    if (bar == SB_CTL ? BarControl(wnd) == nullptr : FindControl(wnd) == nullptr)
        return false;
    SetScrollInfo(wnd, bar, info, redraw);
    return true;
}

bool GetScrollRange(HWND wnd, int bar, int& minPos, int& maxPos) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    if (!GetScrollInfo(wnd, bar, info))
        return false;
    minPos = info.nMin;
    maxPos = info.nMax;
    return true;
}

bool ShowScrollBar(HWND wnd, int bar, bool show) {
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return false;
    for (int b : {SB_HORZ, SB_VERT})
        if (bar == b || bar == SB_BOTH) {
            WindowBar(wnd, b, true);
            control->ScrollBars().Show(b, show);
        }
    control->Invalidate();
    return true;
}

bool EnableScrollBar(HWND wnd, int bar, UINT arrows) {
    if (bar == SB_CTL) {
        TScrollBar* control = BarControl(wnd);
        if (control != nullptr)
            control->SetEnabled(arrows != ESB_DISABLE_BOTH);
        return control != nullptr;
    }
    if (FindControl(wnd) == nullptr)
        return false;
    for (int b : {SB_HORZ, SB_VERT})
        if (bar == b || bar == SB_BOTH) {
            WindowBar(wnd, b, true)->Enabled = arrows != ESB_DISABLE_BOTH;
        }
    FindControl(wnd)->Invalidate();
    return true;
}

bool IsScrollBarVisible(HWND wnd, int bar) {
    TWinControl* control = FindControl(wnd);
    return control != nullptr && (bar == SB_HORZ || bar == SB_VERT) && control->ScrollBars().Shows(bar);
}

bool IsScrollBarEnabled(HWND wnd, int bar) {
    auto* b = WindowBar(wnd, bar, false);
    return b != nullptr && IsScrollBarVisible(wnd, bar) && b->Enabled;
}
