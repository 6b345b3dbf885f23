// The pen: styles, widths and modes, for lines, polylines and polygons.
#include <array>
#include <cstdlib>

#include "platform/ui/canvas.h"
#include "platform/ui/raster_ops.h"

using platform::ui::RasterImage;
using platform::ui::Region;

namespace {

// On and off runs of the styled one-pixel pens, in pixels; an empty pattern is solid.
std::span<const int> DashPattern(TPenStyle style) {
    static constexpr std::array<int, 2> kDash{18, 6};
    static constexpr std::array<int, 2> kDot{3, 3};
    static constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
    static constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
        case psDash:
            return kDash;
        case psDot:
            return kDot;
        case psDashDot:
            return kDashDot;
        case psDashDotDot:
            return kDashDotDot;
        default:
            return {};
    }
}

// Whether the pixel at `step` along a styled line is drawn.
bool PatternOn(std::span<const int> pattern, int step) {
    if (pattern.empty())
        return true;
    int period = 0;
    for (int run : pattern) period += run;
    int at = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
    return false;
}

// The pixels a path covers, each once: XOR pens draw every pixel a single time.
class PixelMask {
  public:
    explicit PixelMask(const TRect& bounds)
        : bounds_(bounds), bits_(static_cast<std::size_t>(bounds.Width()) * bounds.Height()) {}
    void Mark(const TRect& square) {
        const TRect r = IntersectRect(square, bounds_);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) bits_[Index(x, y)] = 1;
    }
    bool Marked(int x, int y) const { return bounds_.Contains({x, y}) && bits_[Index(x, y)] != 0; }
    const TRect& Bounds() const { return bounds_; }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y - bounds_.Top) * bounds_.Width() + (x - bounds_.Left);
    }
    TRect bounds_;
    std::vector<std::uint8_t> bits_;
};

TRect PathBounds(std::span<const TPoint> points, int width) {
    TRect r{points[0].X, points[0].Y, points[0].X + 1, points[0].Y + 1};
    for (const TPoint& p : points) r = UnionRect(r, {p.X, p.Y, p.X + 1, p.Y + 1});
    return {r.Left - width, r.Top - width, r.Right + width, r.Bottom + width};
}

// Marks the pixels from `from` toward `to`, `to` itself left out; `step` counts along the path.
void MarkSegment(PixelMask& mask, TPoint from, TPoint to, int width, std::span<const int> pattern,
                 int& step) {
    const int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
    const int stepX = from.X < to.X ? 1 : -1, stepY = from.Y < to.Y ? 1 : -1;
    const int half = (width - 1) / 2;
    int err = dx + dy;
    for (TPoint p = from; p != to; ++step) {
        if (PatternOn(pattern, step))
            mask.Mark(Bounds(p.X - half, p.Y - half, width, width));
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, p.X += stepX;
        if (e2 <= dx)
            err += dx, p.Y += stepY;
    }
}

}  // namespace

void TCanvas::StrokePath(std::span<const TPoint> points, bool closed) {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr || points.size() < 2 || pen_->Style() == psClear)
        return;
    const int width = std::max(1, pen_->Width());
    // Wide pens draw solid, as the platform's cosmetic pens do.
    const std::span<const int> pattern = width == 1 ? DashPattern(pen_->Style()) : std::span<const int>{};
    // Only the part that can be seen is marked: a line to far away costs no memory.
    Region area = ImageClip(*image);
    const TRect visible = OffsetRect(area.Bounds(), -origin.X, -origin.Y);
    const TRect markable = IntersectRect(PathBounds(points, width), visible);
    if (markable.IsEmpty())
        return;
    PixelMask mask(markable);
    int step = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        MarkSegment(mask, points[i], points[i + 1], width, pattern, step);
    if (closed)
        MarkSegment(mask, points.back(), points.front(), width, pattern, step);
    const std::uint32_t argb = ColorToArgb(pen_->Color());
    const TPenMode mode = pen_->Mode();
    area.Intersect(OffsetRect(mask.Bounds(), origin.X, origin.Y));
    for (const TRect& part : area.Rects())
        for (int y = part.Top; y < part.Bottom; ++y) {
            std::uint32_t* row = image->Row(y);
            for (int x = part.Left; x < part.Right; ++x)
                if (mask.Marked(x - origin.X, y - origin.Y))
                    row[x] = platform::ui::ApplyRasterOp(mode, row[x], argb);
        }
    Changed(mask.Bounds());
}

void TCanvas::LineTo(int x, int y) {
    const std::array<TPoint, 2> line{penPos_, TPoint{x, y}};
    penPos_ = {x, y};
    StrokePath(line, false);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.empty())
        return;
    StrokePath(points, false);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2)
        return;
    if (brush_->Style() != bsClear) {
        const Region inside = platform::ui::PolygonRegion(points);
        const std::uint32_t argb = ColorToArgb(brush_->Color());
        const TPenMode mode = pen_->Mode();
        for (const TRect& r : inside.Rects())
            ModifyPixels(
                r, [&](std::uint32_t screen) { return platform::ui::ApplyRasterOp(mode, screen, argb); });
    }
    StrokePath(points, true);
}
