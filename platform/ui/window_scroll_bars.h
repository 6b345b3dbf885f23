#pragma once
// A window's own scroll bars (WS_HSCROLL, WS_VSCROLL): their values, whether they show and take
// input, where they lie in the frame and a press held on one of them. A shown bar takes its room from
// the client area (SM_CXVSCROLL at the right, or the left with WS_EX_LEFTSCROLLBAR; SM_CYHSCROLL at the
// bottom) and both together leave a corner box. A press on a bar goes through ScrollTracker and its
// codes reach the window as WM_HSCROLL / WM_VSCROLL with LParam 0.
#include <array>

#include "platform/ui/scroll_tracker.h"

class TCanvas;
class TWinControl;

namespace platform::ui {

class WindowScrollBars {
  public:
    // Whether a bar shows is the window's style bit (WS_VSCROLL, WS_HSCROLL), as the platform keeps it.
    struct Bar {
        ScrollBarValues Values{0, 100, 0, 0, 0};
        bool Set = false;  // a window made without the style has no bar until one is set
        bool Enabled = true;
    };
    explicit WindowScrollBars(TWinControl& window);
    WindowScrollBars(const WindowScrollBars&) = delete;
    WindowScrollBars& operator=(const WindowScrollBars&) = delete;

    // SB_HORZ or SB_VERT; nullptr when the window has no such bar (and make is false).
    Bar* Find(int bar, bool make);
    bool Shows(int bar) const;
    // Shows or hides a bar; the frame is asked for again and the window told of its new client size.
    void Show(int bar, bool show);

    // Window coordinates (the frame included); empty when the bar does not show.
    TRect BarRect(int bar) const;
    TRect CornerRect() const;
    // Shrinks the client rectangle (window coordinates) by the room the shown bars take.
    void TakeRoom(TRect& client) const;
    // HTVSCROLL, HTHSCROLL, HTBORDER on the corner box, HTNOWHERE elsewhere.
    LRESULT HitTest(TPoint windowPos) const;
    void Paint(TCanvas& canvas) const;

    // Mouse messages while a press on a bar is held (the window holds the capture).
    bool Tracking() const { return tracker_.Tracking(); }
    // A left press on a bar (hit: HTVSCROLL or HTHSCROLL); true when it started scrolling.
    bool Press(LRESULT hit, TPoint windowPos);
    void Move(TPoint windowPos);
    void Release(TPoint windowPos);
    void Cancel();

  private:
    ScrollBarLayout Layout(int bar) const;
    // The part of the window inside its border, where the bars lie.
    TRect Inside() const;
    void Send(int code, int pos);
    TWinControl& window_;
    std::array<Bar, 2> bars_;
    int tracked_ = SB_VERT;  // the bar a held press is on
    ScrollTracker tracker_;
};

}  // namespace platform::ui
