#include "platform/ui/scroll_tracker.h"

#include "platform/rtl/timer.h"

namespace platform::ui {

int ScrollCodeOf(ScrollBarPart part) {
    switch (part) {
        case ScrollBarPart::LineUp:
            return SB_LINEUP;
        case ScrollBarPart::PageUp:
            return SB_PAGEUP;
        case ScrollBarPart::PageDown:
            return SB_PAGEDOWN;
        case ScrollBarPart::LineDown:
            return SB_LINEDOWN;
        default:
            return -1;
    }
}

ScrollTracker::ScrollTracker(CurrentLayout layout, SendCode send)
    : layout_(std::move(layout)), send_(std::move(send)) {}

ScrollTracker::~ScrollTracker() = default;

void ScrollTracker::Press(TPoint pos) {
    if (Tracking())
        return;
    ScrollBarLayout layout = layout_();
    ScrollBarPart part = layout.PartAt(pos);
    if (part == ScrollBarPart::None || !layout.Values().CanScroll())
        return;
    pressed_ = part;
    pointer_ = pos;
    if (part == ScrollBarPart::Thumb) {
        grip_ = layout.Along(pos) - layout.ThumbStart();
        trackPos_ = layout.Values().Pos;
        return;
    }
    send_(ScrollCodeOf(part), 0);
    if (Tracking())
        StartTimer(kScrollRepeatDelay);
}

int ScrollTracker::DraggedPosition(const ScrollBarLayout& layout, TPoint pos) const {
    return layout.PositionForThumbStart(layout.Along(pos) - grip_);
}

void ScrollTracker::Move(TPoint pos) {
    pointer_ = pos;
    if (pressed_ != ScrollBarPart::Thumb)
        return;
    int next = DraggedPosition(layout_(), pos);
    if (next == trackPos_)
        return;
    trackPos_ = next;
    send_(SB_THUMBTRACK, next);
}

void ScrollTracker::Release(TPoint pos) {
    ScrollBarPart was = pressed_;
    if (was == ScrollBarPart::None)
        return;
    Move(pos);
    pressed_ = ScrollBarPart::None;
    if (timer_)
        timer_->SetEnabled(false);
    if (was == ScrollBarPart::Thumb)
        send_(SB_THUMBPOSITION, trackPos_);
    send_(SB_ENDSCROLL, 0);
}

void ScrollTracker::Cancel() {
    if (!Tracking())
        return;
    pressed_ = ScrollBarPart::None;
    if (timer_)
        timer_->SetEnabled(false);
    send_(SB_ENDSCROLL, 0);
}

void ScrollTracker::StartTimer(unsigned interval) {
    if (!timer_) {
        timer_ = std::make_unique<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->OnTimer = [this](TObject*) { Repeat(); };
    }
    timer_->SetEnabled(false);
    timer_->SetInterval(interval);
    timer_->SetEnabled(true);
}

void ScrollTracker::Repeat() {
    if (!Tracking() || pressed_ == ScrollBarPart::Thumb) {
        timer_->SetEnabled(false);
        return;
    }
    if (timer_->Interval() != kScrollRepeatInterval)
        StartTimer(kScrollRepeatInterval);
    if (layout_().PartAt(pointer_) == pressed_)
        send_(ScrollCodeOf(pressed_), 0);
}

}  // namespace platform::ui
