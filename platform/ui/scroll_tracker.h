#pragma once
// A press held on a scroll bar. An arrow sends SB_LINEUP / SB_LINEDOWN and the track beside the thumb
// SB_PAGEUP / SB_PAGEDOWN at once and again while held: the first repeat after a delay, then at an
// interval, on the program's clock, and only while the pointer stays on the pressed part (so paging
// stops when the thumb reaches the pointer). The thumb dragged sends SB_THUMBTRACK with each new
// tracking position, and SB_THUMBPOSITION where it is let go. Every press ends with SB_ENDSCROLL.
#include <functional>
#include <memory>

#include "platform/ui/scroll_bar_layout.h"

class TTimer;

namespace platform::ui {

constexpr unsigned kScrollRepeatDelay = 400;
constexpr unsigned kScrollRepeatInterval = 100;

class ScrollTracker {
  public:
    // The bar as it lies now: the scrolling moves its thumb.
    using CurrentLayout = std::function<ScrollBarLayout()>;
    // One scroll code; pos is the tracking position for the thumb's codes, else 0.
    using SendCode = std::function<void(int code, int pos)>;
    ScrollTracker(CurrentLayout layout, SendCode send);
    ~ScrollTracker();
    ScrollTracker(const ScrollTracker&) = delete;
    ScrollTracker& operator=(const ScrollTracker&) = delete;

    ScrollBarPart Pressed() const { return pressed_; }
    bool Tracking() const { return pressed_ != ScrollBarPart::None; }
    // Where the dragged thumb stands (meaningful while the thumb is pressed).
    int TrackPos() const { return trackPos_; }
    // Points are in the layout's coordinates. A press on no part (or on a bar with nothing to scroll)
    // starts nothing.
    void Press(TPoint pos);
    void Move(TPoint pos);
    void Release(TPoint pos);
    // The press was taken away (the capture lost): the repeat stops and SB_ENDSCROLL closes it.
    void Cancel();

  private:
    void Repeat();
    void StartTimer(unsigned interval);
    int DraggedPosition(const ScrollBarLayout& layout, TPoint pos) const;
    CurrentLayout layout_;
    SendCode send_;
    std::unique_ptr<TTimer> timer_;
    ScrollBarPart pressed_ = ScrollBarPart::None;
    TPoint pointer_;
    int grip_ = 0;  // where along the thumb it was taken
    int trackPos_ = 0;
};

// The code a held part sends: SB_LINEUP, SB_PAGEUP, SB_PAGEDOWN, SB_LINEDOWN; -1 for the thumb.
int ScrollCodeOf(ScrollBarPart part);

}  // namespace platform::ui
