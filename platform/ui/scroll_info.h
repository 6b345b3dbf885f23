#pragma once
// Scroll bars of a window (SB_HORZ, SB_VERT) and scroll-bar controls (SB_CTL): range, page, position
// and the thumb's tracking position, read and set by SetScrollInfo / GetScrollInfo with the SIF_ flags.
// A window's bar shows while its range can scroll; with SIF_DISABLENOSCROLL it stays shown, disabled.
#include "platform/ui/types.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

// Scroll codes (the low word of WM_HSCROLL / WM_VSCROLL's WParam; the high word carries the thumb's
// position for SB_THUMBPOSITION and SB_THUMBTRACK).
constexpr int SB_LINEUP = 0;
constexpr int SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_LEFT = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_BOTH = 3;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// One bar's values, kept within each other: the page no larger than the range, the position no further
// than the last full page.
struct ScrollBarValues {
    int Min = 0;
    int Max = 0;
    UINT Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    // Applies the fields info's mask names; the position and page are brought within the range.
    void Apply(const SCROLLINFO& info);
    void Fill(SCROLLINFO& info) const;
    // The furthest position: the start of the last full page.
    int MaxPos() const;
    // Something to scroll: the range is wider than the page.
    bool CanScroll() const;
};

// Returns the new position. For SB_CTL, wnd is a scroll-bar control (TScrollBar).
int SetScrollInfo(HWND wnd, int bar, const SCROLLINFO& info, bool redraw);
// False when wnd is no window or has no such bar (no WS_VSCROLL / WS_HSCROLL style and never set).
bool GetScrollInfo(HWND wnd, int bar, SCROLLINFO& info);
int SetScrollPos(HWND wnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND wnd, int bar);
bool SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw);
bool GetScrollRange(HWND wnd, int bar, int& minPos, int& maxPos);
// Shows or hides a window's bar (SB_BOTH: both) whatever its range.
bool ShowScrollBar(HWND wnd, int bar, bool show);
// ESB_DISABLE_BOTH disables the bar's arrows and thumb, ESB_ENABLE_BOTH enables them again.
bool EnableScrollBar(HWND wnd, int bar, UINT arrows);
// A window's bar shows / takes input.
bool IsScrollBarVisible(HWND wnd, int bar);
bool IsScrollBarEnabled(HWND wnd, int bar);
