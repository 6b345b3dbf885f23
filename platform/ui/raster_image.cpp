#include "platform/ui/raster_image.h"

#include <algorithm>
#include <cstdlib>

namespace platform::ui {
namespace {

std::uint32_t Blend(std::uint32_t dst, std::uint32_t src) {
    unsigned a = src >> 24;
    if (a == 255)
        return src;
    if (a == 0)
        return dst;
    auto mix = [a](unsigned d, unsigned s) { return (s * a + d * (255 - a) + 127) / 255; };
    unsigned r = mix((dst >> 16) & 0xFF, (src >> 16) & 0xFF);
    unsigned g = mix((dst >> 8) & 0xFF, (src >> 8) & 0xFF);
    unsigned b = mix(dst & 0xFF, src & 0xFF);
    unsigned da = dst >> 24;
    unsigned outA = a + da * (255 - a) / 255;
    return outA << 24 | r << 16 | g << 8 | b;
}

void Put(std::uint32_t& dst, std::uint32_t src, bool blend, const std::uint32_t* key) {
    if (key != nullptr && (src | 0xFF000000u) == (*key | 0xFF000000u))
        return;
    dst = blend ? Blend(dst, src) : src;
}

}  // namespace

RasterImage::RasterImage(int width, int height, std::uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

std::uint32_t RasterImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void RasterImage::SetPixel(int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = argb;
}

void RasterImage::Resize(int width, int height, std::uint32_t fill) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_)
        return;
    std::vector<std::uint32_t> next(static_cast<std::size_t>(width) * height, fill);
    int w = std::min(width, width_);
    int h = std::min(height, height_);
    for (int y = 0; y < h; ++y) std::copy_n(Row(y), w, next.begin() + static_cast<std::ptrdiff_t>(y) * width);
    pixels_.swap(next);
    width_ = width;
    height_ = height;
}

void RasterImage::Fill(const TRect& rect, std::uint32_t argb, const TRect& clip) {
    TRect r = IntersectRect(IntersectRect(rect, clip), BoundsRect());
    for (int y = r.Top; y < r.Bottom; ++y) std::fill(Row(y) + r.Left, Row(y) + r.Right, argb);
}

void RasterImage::CopyFrom(const RasterImage& src, const TRect& srcRect, TPoint dest, const TRect& clip,
                           bool blend, const std::uint32_t* colourKey) {
    TRect from = IntersectRect(srcRect, src.BoundsRect());
    if (from.IsEmpty())
        return;
    TPoint to{dest.X + (from.Left - srcRect.Left), dest.Y + (from.Top - srcRect.Top)};
    TRect target =
        IntersectRect(IntersectRect(Bounds(to.X, to.Y, from.Width(), from.Height()), clip), BoundsRect());
    if (target.IsEmpty())
        return;
    bool mix = blend && src.HasAlpha();
    std::vector<std::uint32_t> line(static_cast<std::size_t>(target.Width()));
    // Rows are copied through a buffer so that copying within one image works in any direction.
    std::vector<std::vector<std::uint32_t>> rows;
    rows.reserve(static_cast<std::size_t>(target.Height()));
    for (int y = target.Top; y < target.Bottom; ++y) {
        const std::uint32_t* s = src.Row(from.Top + (y - to.Y)) + from.Left + (target.Left - to.X);
        rows.emplace_back(s, s + target.Width());
    }
    for (int y = target.Top; y < target.Bottom; ++y) {
        const auto& s = rows[static_cast<std::size_t>(y - target.Top)];
        std::uint32_t* d = Row(y) + target.Left;
        if (!mix && colourKey == nullptr) {
            std::copy(s.begin(), s.end(), d);
            continue;
        }
        for (int x = 0; x < target.Width(); ++x) Put(d[x], s[static_cast<std::size_t>(x)], mix, colourKey);
    }
}

void RasterImage::StretchFrom(const RasterImage& src, const TRect& srcRect, const TRect& destRect,
                              const TRect& clip, bool blend, const std::uint32_t* colourKey) {
    if (srcRect.IsEmpty() || destRect.IsEmpty() || src.Empty())
        return;
    if (srcRect.Width() == destRect.Width() && srcRect.Height() == destRect.Height()) {
        CopyFrom(src, srcRect, destRect.TopLeft(), IntersectRect(clip, destRect), blend, colourKey);
        return;
    }
    TRect target = IntersectRect(IntersectRect(destRect, clip), BoundsRect());
    bool mix = blend && src.HasAlpha();
    const double sx = static_cast<double>(srcRect.Width()) / destRect.Width();
    const double sy = static_cast<double>(srcRect.Height()) / destRect.Height();
    for (int y = target.Top; y < target.Bottom; ++y) {
        double y0 = srcRect.Top + (y - destRect.Top) * sy;
        int ya = std::clamp(static_cast<int>(y0), 0, src.Height() - 1);
        int yb = std::clamp(static_cast<int>(y0 + std::max(sy, 1.0)) - 1, ya, src.Height() - 1);
        std::uint32_t* d = Row(y);
        for (int x = target.Left; x < target.Right; ++x) {
            double x0 = srcRect.Left + (x - destRect.Left) * sx;
            int xa = std::clamp(static_cast<int>(x0), 0, src.Width() - 1);
            int xb = std::clamp(static_cast<int>(x0 + std::max(sx, 1.0)) - 1, xa, src.Width() - 1);
            // Box average over the source pixels this pixel covers (one pixel when enlarging).
            unsigned long sum[4] = {0, 0, 0, 0};
            unsigned long n = 0;
            for (int yy = ya; yy <= yb; ++yy)
                for (int xx = xa; xx <= xb; ++xx) {
                    std::uint32_t p = src.Row(yy)[xx];
                    sum[0] += p >> 24, sum[1] += (p >> 16) & 0xFF, sum[2] += (p >> 8) & 0xFF,
                        sum[3] += p & 0xFF;
                    ++n;
                }
            std::uint32_t p = static_cast<std::uint32_t>((sum[0] / n) << 24 | (sum[1] / n) << 16 |
                                                         (sum[2] / n) << 8 | (sum[3] / n));
            if (colourKey != nullptr)
                p = src.Row(ya)[xa];
            Put(d[x], p, mix, colourKey);
        }
    }
}

void RasterImage::Line(TPoint from, TPoint to, std::uint32_t argb, const TRect& clip) {
    TRect limit = IntersectRect(clip, BoundsRect());
    int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
    int stepX = from.X < to.X ? 1 : -1, stepY = from.Y < to.Y ? 1 : -1;
    int err = dx + dy;
    TPoint p = from;
    for (;;) {
        if (limit.Contains(p))
            Row(p.Y)[p.X] = argb;
        if (p == to)
            break;
        int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, p.X += stepX;
        if (e2 <= dx)
            err += dx, p.Y += stepY;
    }
}

}  // namespace platform::ui
