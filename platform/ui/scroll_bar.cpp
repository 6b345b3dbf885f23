#include "platform/ui/scroll_bar.h"

#include <algorithm>

#include "platform/ui/message_queue.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"

using platform::ui::ScrollBarLayout;

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    ControlStyle = ControlStyle - TControlStyle{csDoubleClicks};
    tracker_ = std::make_unique<platform::ui::ScrollTracker>(
        [this] { return Layout(); }, [this](int code, int pos) { Notify(code, pos); });
}

TScrollBar::~TScrollBar() = default;

void TScrollBar::SetKind(TScrollBarKind value) {
    if (kind_ == value)
        return;
    kind_ = value;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TScrollBar::SetPageSize(int value) {
    ScrollBarValues next = values_;
    next.Page = static_cast<UINT>(std::max(value, 0));
    next.Page = std::min<UINT>(next.Page, static_cast<UINT>(next.Max - next.Min + 1));
    next.Pos = std::clamp(next.Pos, next.Min, next.MaxPos());
    Apply(next);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = AMin;
    info.nMax = AMax;
    info.nPos = APosition;
    ScrollBarValues next = values_;
    next.Apply(info);
    Apply(next);
}

int TScrollBar::SetScrollValues(const SCROLLINFO& info) {
    ScrollBarValues next = values_;
    next.Apply(info);
    Apply(next);
    return values_.Pos;
}

void TScrollBar::Apply(const ScrollBarValues& values) {
    bool moved = values.Pos != values_.Pos;
    bool changed =
        moved || values.Min != values_.Min || values.Max != values_.Max || values.Page != values_.Page;
    values_ = values;
    if (changed)
        Invalidate();
    if (moved)
        Change();
}

void TScrollBar::Change() {
    if (OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int trackPos) {
    int pos = Position();
    switch (code) {
        case scLineUp:
            pos -= SmallChange;
            break;
        case scLineDown:
            pos += SmallChange;
            break;
        case scPageUp:
            pos -= LargeChange;
            break;
        case scPageDown:
            pos += LargeChange;
            break;
        case scPosition:
        case scTrack:
            pos = trackPos;
            break;
        case scTop:
            pos = Min();
            break;
        case scBottom:
            pos = Max();
            break;
        case scEndScroll:
            break;
    }
    values_.TrackPos = code == scTrack ? trackPos : pos;
    if (OnScroll)
        OnScroll(this, code, pos);
    SetPosition(pos);
}

void TScrollBar::Notify(int code, int pos) {
    UINT msg = kind_ == sbVertical ? WM_VSCROLL : WM_HSCROLL;
    WPARAM wParam = static_cast<WPARAM>(code & 0xFFFF) | (static_cast<WPARAM>(pos & 0xFFFF) << 16);
    notifiedPos_ = pos;
    if (Parent() != nullptr)
        SendMessage(Parent()->Handle(), msg, wParam, static_cast<LPARAM>(Handle()));
    else
        Perform(CN_BASE + msg, wParam, static_cast<LPARAM>(Handle()));
    notifiedPos_.reset();
}

void TScrollBar::ScrollMessage(TMessage& Message) {
    int code = static_cast<int>(Message.WParam & 0xFFFF);
    auto word = static_cast<WORD>((Message.WParam >> 16) & 0xFFFF);
    // The notice carries 16 bits; a position of ours beyond them is taken whole.
    int pos = static_cast<std::int16_t>(word);
    if (notifiedPos_ && static_cast<WORD>(*notifiedPos_) == word)
        pos = *notifiedPos_;
    if (code >= SB_LINEUP && code <= SB_ENDSCROLL)
        Scroll(static_cast<TScrollCode>(code), pos);
    Message.Result = 0;
}

void TScrollBar::Dispatch(TMessage& Message) {
    UINT own = kind_ == sbVertical ? WM_VSCROLL : WM_HSCROLL;
    if (Message.Msg == own || Message.Msg == CN_BASE + own) {
        ScrollMessage(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_LBUTTONUP:
            // Before the base lets go of the capture, which would cut the press short.
            tracker_->Release(PointFromLParam(Message.LParam));
            Invalidate();
            break;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            if (tracker_->Tracking()) {
                tracker_->Cancel();
                Invalidate();
            }
            break;
        default:
            break;
    }
    TCustomControl::Dispatch(Message);
}

ScrollBarLayout TScrollBar::Layout() const {
    return ScrollBarLayout(ClientRect(), kind_ == sbVertical, values_);
}

TRect TScrollBar::PartRect(Part part) const {
    return Layout().PartRect(part);
}

TRect TScrollBar::ThumbRect() const {
    return PartRect(Part::Thumb);
}

TScrollBar::Part TScrollBar::PartAt(TPoint pos) const {
    return Layout().PartAt(pos);
}

void TScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !values_.CanScroll())
        return;
    if (CanFocus())
        SetFocus();
    tracker_->Press({X, Y});
    Invalidate();
}

void TScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    tracker_->Move({X, Y});
}

void TScrollBar::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    bool vertical = kind_ == sbVertical;
    int code = -1;
    switch (Key) {
        case VK_UP:
            code = vertical ? SB_LINEUP : -1;
            break;
        case VK_LEFT:
            code = vertical ? -1 : SB_LINEUP;
            break;
        case VK_DOWN:
            code = vertical ? SB_LINEDOWN : -1;
            break;
        case VK_RIGHT:
            code = vertical ? -1 : SB_LINEDOWN;
            break;
        case VK_PRIOR:
            code = SB_PAGEUP;
            break;
        case VK_NEXT:
            code = SB_PAGEDOWN;
            break;
        case VK_HOME:
            code = SB_TOP;
            break;
        case VK_END:
            code = SB_BOTTOM;
            break;
        default:
            break;
    }
    if (code < 0)
        return;
    Notify(code, 0);
    Notify(SB_ENDSCROLL, 0);
}

void TScrollBar::Paint() {
    platform::ui::PaintScrollBar(*Canvas(), Layout(), Enabled(), tracker_->Pressed());
}
