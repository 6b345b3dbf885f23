#include "platform/ui/scroll_bar_layout.h"

#include <algorithm>

#include "platform/ui/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/frame_controls.h"

namespace platform::ui {
namespace {

constexpr int kMinThumb = 8;

}  // namespace

ScrollBarLayout::ScrollBarLayout(TRect area, bool vertical, const ScrollBarValues& values, int thumbPos)
    : area_(area), vertical_(vertical), values_(values), thumbPos_(thumbPos) {}

int ScrollBarLayout::ArrowLength() const {
    int across = vertical_ ? area_.Width() : area_.Height();
    return std::max(std::min(across, Length() / 2), 0);
}

int ScrollBarLayout::ThumbLength() const {
    int track = TrackLength();
    if (values_.Page == 0)
        return std::min(ArrowLength(), track);
    long long range = static_cast<long long>(values_.Max) - values_.Min + 1;
    int length = static_cast<int>(track * static_cast<long long>(values_.Page) / range);
    return std::min(std::max(length, kMinThumb), track);
}

int ScrollBarLayout::ThumbStart() const {
    int room = ThumbRoom();
    long long span = static_cast<long long>(values_.MaxPos()) - values_.Min;
    int offset = 0;
    if (span > 0 && room > 0) {
        long long pos = std::clamp(thumbPos_, values_.Min, values_.MaxPos());
        offset = static_cast<int>((pos - values_.Min) * room / span);
    }
    return Start() + ArrowLength() + offset;
}

int ScrollBarLayout::PositionForThumbStart(int along) const {
    int room = ThumbRoom();
    long long span = static_cast<long long>(values_.MaxPos()) - values_.Min;
    if (room <= 0)
        return values_.Min;
    long long offset = std::clamp(along - Start() - ArrowLength(), 0, room);
    return values_.Min + static_cast<int>((offset * span + room / 2) / room);
}

TRect ScrollBarLayout::Span(int from, int to) const {
    return vertical_ ? TRect{area_.Left, from, area_.Right, to} : TRect{from, area_.Top, to, area_.Bottom};
}

TRect ScrollBarLayout::PartRect(ScrollBarPart part) const {
    bool onTrack =
        part == ScrollBarPart::Thumb || part == ScrollBarPart::PageUp || part == ScrollBarPart::PageDown;
    if (part == ScrollBarPart::None || (onTrack && !values_.CanScroll()))
        return {};
    int start = Start();
    int end = start + Length();
    int arrow = ArrowLength();
    int thumbStart = ThumbStart();
    int thumbEnd = thumbStart + ThumbLength();
    switch (part) {
        case ScrollBarPart::LineUp:
            return Span(start, start + arrow);
        case ScrollBarPart::PageUp:
            return Span(start + arrow, thumbStart);
        case ScrollBarPart::Thumb:
            return Span(thumbStart, thumbEnd);
        case ScrollBarPart::PageDown:
            return Span(thumbEnd, end - arrow);
        case ScrollBarPart::LineDown:
            return Span(end - arrow, end);
        case ScrollBarPart::None:
            break;
    }
    return {};
}

ScrollBarPart ScrollBarLayout::PartAt(TPoint pos) const {
    for (ScrollBarPart part : {ScrollBarPart::LineUp, ScrollBarPart::Thumb, ScrollBarPart::PageUp,
                               ScrollBarPart::PageDown, ScrollBarPart::LineDown})
        if (PartRect(part).Contains(pos))
            return part;
    return ScrollBarPart::None;
}

void PaintScrollBar(TCanvas& canvas, const ScrollBarLayout& layout, bool enabled, ScrollBarPart pressed) {
    bool active = enabled && layout.Values().CanScroll();
    PaintSolid(canvas, layout.Area(), clScrollBar);
    auto arrow = [&](ScrollBarPart part, UINT kind) {
        TRect r = layout.PartRect(part);
        UINT state = kind | (active ? 0 : DFCS_INACTIVE) | (pressed == part ? DFCS_PUSHED | DFCS_FLAT : 0);
        DrawFrameControl(&canvas, &r, DFC_SCROLL, state);
    };
    bool vertical = layout.Vertical();
    arrow(ScrollBarPart::LineUp, vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
    arrow(ScrollBarPart::LineDown, vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    if (!active)
        return;
    for (ScrollBarPart part : {ScrollBarPart::PageUp, ScrollBarPart::PageDown})
        if (pressed == part)
            PaintSolid(canvas, layout.PartRect(part), clBtnShadow);
    TRect thumb = layout.PartRect(ScrollBarPart::Thumb);
    DrawEdge(&canvas, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

}  // namespace platform::ui
