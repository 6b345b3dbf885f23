#include "platform/ui/region.h"

namespace platform::ui {

TRect Region::Bounds() const {
    TRect r;
    for (const TRect& each : rects_) r = UnionRect(r, each);
    return r;
}

void Region::Intersect(const TRect& rect) {
    std::vector<TRect> kept;
    for (const TRect& each : rects_) {
        TRect overlap = IntersectRect(each, rect);
        if (!overlap.IsEmpty())
            kept.push_back(overlap);
    }
    rects_.swap(kept);
}

void Region::Intersect(const Region& other) {
    std::vector<TRect> kept;
    for (const TRect& a : rects_)
        for (const TRect& b : other.rects_) {
            TRect overlap = IntersectRect(a, b);
            if (!overlap.IsEmpty())
                kept.push_back(overlap);
        }
    rects_.swap(kept);
}

void Region::Subtract(const TRect& cut) {
    if (cut.IsEmpty())
        return;
    std::vector<TRect> kept;
    for (const TRect& r : rects_) {
        TRect overlap = IntersectRect(r, cut);
        if (overlap.IsEmpty()) {
            kept.push_back(r);
            continue;
        }
        // Up to four pieces: above, below, left and right of the cut.
        if (overlap.Top > r.Top)
            kept.push_back({r.Left, r.Top, r.Right, overlap.Top});
        if (overlap.Bottom < r.Bottom)
            kept.push_back({r.Left, overlap.Bottom, r.Right, r.Bottom});
        if (overlap.Left > r.Left)
            kept.push_back({r.Left, overlap.Top, overlap.Left, overlap.Bottom});
        if (overlap.Right < r.Right)
            kept.push_back({overlap.Right, overlap.Top, r.Right, overlap.Bottom});
    }
    rects_.swap(kept);
}

void Region::Add(const TRect& rect) {
    if (rect.IsEmpty())
        return;
    Region piece(rect);
    for (const TRect& r : rects_) piece.Subtract(r);
    rects_.insert(rects_.end(), piece.rects_.begin(), piece.rects_.end());
}

void Region::Offset(int dx, int dy) {
    for (TRect& r : rects_) r = OffsetRect(r, dx, dy);
}

void Region::MoveWithin(const TRect& area, int dx, int dy) {
    Region inside = *this;
    inside.Intersect(area);
    if (inside.Empty())
        return;
    Subtract(area);
    inside.Offset(dx, dy);
    inside.Intersect(area);
    for (const TRect& r : inside.rects_) Add(r);
}

}  // namespace platform::ui
