#pragma once
// A set of non-overlapping rectangles: the part of a window a control may paint on.
#include <span>
#include <vector>

#include "platform/ui/types.h"

namespace platform::ui {

class Region {
  public:
    Region() = default;
    explicit Region(const TRect& rect) {
        if (!rect.IsEmpty())
            rects_.push_back(rect);
    }
    const std::vector<TRect>& Rects() const { return rects_; }
    bool Empty() const { return rects_.empty(); }
    TRect Bounds() const;
    void Intersect(const TRect& rect);
    void Intersect(const Region& other);
    void Subtract(const TRect& rect);
    void Add(const TRect& rect);  // keeps the rectangles apart
    void Offset(int dx, int dy);
    // The part inside area moves by (dx, dy) and is clipped to area; the rest stays.
    void MoveWithin(const TRect& area, int dx, int dy);

  private:
    std::vector<TRect> rects_;
};

// The pixels whose centres lie inside the polygon through points (even-odd rule), as a region.
Region PolygonRegion(std::span<const TPoint> points);

}  // namespace platform::ui
