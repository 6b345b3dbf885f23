#include "platform/ui/scroll_bar.h"

#include <algorithm>

#include "platform/ui/edge_drawing.h"
#include "platform/ui/frame_controls.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"

namespace {

constexpr int kMinThumb = 8;

}  // namespace

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    ControlStyle = ControlStyle - TControlStyle{csDoubleClicks};
}

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

void TScrollBar::Dispatch(TMessage& Message) {
    bool own = (Message.Msg == WM_VSCROLL) == (kind_ == sbVertical);
    if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && own) {
        int code = static_cast<int>(Message.WParam & 0xFFFF);
        if (code >= SB_LINEUP && code <= SB_ENDSCROLL)
            Scroll(static_cast<TScrollCode>(code),
                   static_cast<std::int16_t>((Message.WParam >> 16) & 0xFFFF));
        Message.Result = 0;
        return;
    }
    TCustomControl::Dispatch(Message);
}

int TScrollBar::Length() const {
    return kind_ == sbVertical ? ClientHeight() : ClientWidth();
}

int TScrollBar::ArrowLength() const {
    int across = kind_ == sbVertical ? ClientWidth() : ClientHeight();
    return std::min(across, Length() / 2);
}

int TScrollBar::ThumbLength() const {
    int track = TrackLength();
    if (values_.Page == 0)
        return std::min(ArrowLength(), track);
    long long range = static_cast<long long>(values_.Max) - values_.Min + 1;
    int length = static_cast<int>(track * static_cast<long long>(values_.Page) / range);
    return std::min(std::max(length, kMinThumb), track);
}

int TScrollBar::ThumbOffset() const {
    int room = TrackLength() - ThumbLength();
    int span = values_.MaxPos() - values_.Min;
    if (span <= 0 || room <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(values_.Pos - values_.Min) * room / span);
}

int TScrollBar::PositionForThumbOffset(int offset) const {
    int room = TrackLength() - ThumbLength();
    int span = values_.MaxPos() - values_.Min;
    if (room <= 0)
        return values_.Min;
    offset = std::clamp(offset, 0, room);
    return values_.Min + static_cast<int>((static_cast<long long>(offset) * span + room / 2) / room);
}

TRect TScrollBar::PartRect(Part part) const {
    int arrow = ArrowLength();
    int thumbStart = arrow + ThumbOffset();
    int thumbEnd = thumbStart + ThumbLength();
    int from = 0;
    int to = 0;
    switch (part) {
        case Part::None:
            return {};
        case Part::LineUp:
            to = arrow;
            break;
        case Part::PageUp:
            from = arrow, to = thumbStart;
            break;
        case Part::Thumb:
            from = thumbStart, to = thumbEnd;
            break;
        case Part::PageDown:
            from = thumbEnd, to = Length() - arrow;
            break;
        case Part::LineDown:
            from = Length() - arrow, to = Length();
            break;
    }
    if (!values_.CanScroll() && (part == Part::Thumb || part == Part::PageUp || part == Part::PageDown))
        return {};
    return kind_ == sbVertical ? TRect{0, from, ClientWidth(), to} : TRect{from, 0, to, ClientHeight()};
}

TRect TScrollBar::ThumbRect() const {
    return PartRect(Part::Thumb);
}

TScrollBar::Part TScrollBar::PartAt(TPoint pos) const {
    for (Part part : {Part::LineUp, Part::Thumb, Part::PageUp, Part::PageDown, Part::LineDown})
        if (PartRect(part).Contains(pos))
            return part;
    return Part::None;
}

void TScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !values_.CanScroll())
        return;
    if (CanFocus())
        SetFocus();
    pressed_ = PartAt({X, Y});
    switch (pressed_) {
        case Part::LineUp:
            Scroll(scLineUp);
            break;
        case Part::LineDown:
            Scroll(scLineDown);
            break;
        case Part::PageUp:
            Scroll(scPageUp);
            break;
        case Part::PageDown:
            Scroll(scPageDown);
            break;
        case Part::Thumb:
            dragGrip_ = Along({X, Y}) - ArrowLength() - ThumbOffset();
            break;
        case Part::None:
            break;
    }
    Invalidate();
}

void TScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (pressed_ != Part::Thumb)
        return;
    int pos = PositionForThumbOffset(Along({X, Y}) - ArrowLength() - dragGrip_);
    if (pos != values_.TrackPos || pos != Position())
        Scroll(scTrack, pos);
}

void TScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Part was = pressed_;
    pressed_ = Part::None;
    if (Button == mbLeft && was == Part::Thumb)
        Scroll(scPosition, PositionForThumbOffset(Along({X, Y}) - ArrowLength() - dragGrip_));
    if (Button == mbLeft && was != Part::None) {
        Scroll(scEndScroll);
        Invalidate();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TScrollBar::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    bool vertical = kind_ == sbVertical;
    switch (Key) {
        case VK_UP:
            if (vertical)
                Scroll(scLineUp);
            break;
        case VK_LEFT:
            if (!vertical)
                Scroll(scLineUp);
            break;
        case VK_DOWN:
            if (vertical)
                Scroll(scLineDown);
            break;
        case VK_RIGHT:
            if (!vertical)
                Scroll(scLineDown);
            break;
        case VK_PRIOR:
            Scroll(scPageUp);
            break;
        case VK_NEXT:
            Scroll(scPageDown);
            break;
        case VK_HOME:
            Scroll(scTop);
            break;
        case VK_END:
            Scroll(scBottom);
            break;
        default:
            return;
    }
    Scroll(scEndScroll);
}

void TScrollBar::Paint() {
    TCanvas& canvas = *Canvas();
    bool active = values_.CanScroll() && Enabled();
    platform::ui::PaintSolid(canvas, ClientRect(), clScrollBar);
    bool vertical = kind_ == sbVertical;
    auto arrow = [&](Part part, UINT kind) {
        TRect r = PartRect(part);
        UINT state = kind | (active ? 0 : DFCS_INACTIVE) | (pressed_ == part ? DFCS_PUSHED | DFCS_FLAT : 0);
        DrawFrameControl(&canvas, &r, DFC_SCROLL, state);
    };
    arrow(Part::LineUp, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
    arrow(Part::LineDown, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    if (!active)
        return;
    for (Part part : {Part::PageUp, Part::PageDown})
        if (pressed_ == part)
            platform::ui::PaintSolid(canvas, PartRect(part), clBtnShadow);
    TRect thumb = ThumbRect();
    DrawEdge(&canvas, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}
