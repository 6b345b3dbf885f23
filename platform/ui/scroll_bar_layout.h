#pragma once
// One scroll bar's parts laid along its rectangle: an arrow at each end, the track between them and
// the thumb on the track, sized by the page and placed by the position. The scroll-bar control and a
// window's own bars share this layout and its look.
#include "platform/ui/scroll_info.h"

class TCanvas;

namespace platform::ui {

// The parts along a bar, from its start (top or left) to its end.
enum class ScrollBarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

class ScrollBarLayout {
  public:
    // thumbPos: where the thumb stands (the position, or the tracking position while it is dragged).
    ScrollBarLayout(TRect area, bool vertical, const ScrollBarValues& values, int thumbPos);
    ScrollBarLayout(TRect area, bool vertical, const ScrollBarValues& values)
        : ScrollBarLayout(area, vertical, values, values.Pos) {}

    TRect Area() const { return area_; }
    bool Vertical() const { return vertical_; }
    const ScrollBarValues& Values() const { return values_; }
    // Empty for the track's parts and the thumb when nothing can scroll.
    TRect PartRect(ScrollBarPart part) const;
    ScrollBarPart PartAt(TPoint pos) const;
    // The coordinate along the bar.
    int Along(TPoint pos) const { return vertical_ ? pos.Y : pos.X; }
    // Where the thumb starts along the bar.
    int ThumbStart() const;
    // The position whose thumb would start at along (kept within the range).
    int PositionForThumbStart(int along) const;

  private:
    int Start() const { return vertical_ ? area_.Top : area_.Left; }
    int Length() const { return vertical_ ? area_.Height() : area_.Width(); }
    int ArrowLength() const;
    int TrackLength() const { return Length() - 2 * ArrowLength(); }
    int ThumbLength() const;
    int ThumbRoom() const { return TrackLength() - ThumbLength(); }
    TRect Span(int from, int to) const;
    TRect area_;
    bool vertical_;
    ScrollBarValues values_;
    int thumbPos_;
};

// The bar's classic look: arrows (pushed while pressed), the track, the raised thumb; a disabled bar
// or one with nothing to scroll shows grey arrows and no thumb.
void PaintScrollBar(TCanvas& canvas, const ScrollBarLayout& layout, bool enabled, ScrollBarPart pressed);

}  // namespace platform::ui
