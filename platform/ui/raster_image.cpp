#include "platform/ui/raster_image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

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

RasterImage::RasterImage(int width, int height, std::uint32_t fill) {
    Allocate(width, height);
    std::fill_n(bits_, Count(), fill);
}

RasterImage RasterImage::Uninitialized(int width, int height) {
    RasterImage image;
    image.Allocate(width, height);
    return image;
}

RasterImage::RasterImage(const RasterImage& other) {
    CopyPixelsOf(other);
}

RasterImage::RasterImage(RasterImage&& other) noexcept {
    TakePixelsOf(other);
}

RasterImage& RasterImage::operator=(const RasterImage& other) {
    if (this == &other)
        return *this;
    Detach();
    CopyPixelsOf(other);
    return *this;
}

RasterImage& RasterImage::operator=(RasterImage&& other) noexcept {
    if (this == &other)
        return *this;
    Detach();
    TakePixelsOf(other);
    return *this;
}

RasterImage::~RasterImage() = default;

void RasterImage::Allocate(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    owned_ = Count() == 0 ? nullptr : std::make_unique_for_overwrite<std::uint32_t[]>(Count());
    bits_ = owned_.get();
    borrowed_ = false;
}

void RasterImage::CopyPixelsOf(const RasterImage& other) {
    Allocate(other.width_, other.height_);
    std::copy_n(other.bits_, Count(), bits_);
    hasAlpha_ = other.hasAlpha_;
}

void RasterImage::TakePixelsOf(RasterImage& other) {
    other.Detach();
    if (other.borrowed_) {
        CopyPixelsOf(other);
        other.Allocate(0, 0);
        return;
    }
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    hasAlpha_ = other.hasAlpha_;
    owned_ = std::move(other.owned_);
    bits_ = std::exchange(other.bits_, nullptr);
    borrowed_ = false;
}

void RasterImage::Borrow(std::uint32_t* bits, int width, int height) {
    Detach();
    owned_.reset();
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    bits_ = bits;
    borrowed_ = true;
}

void RasterImage::OwnPixels() {
    if (!borrowed_)
        return;
    Detach();
    const std::uint32_t* borrowed = bits_;
    Allocate(width_, height_);
    std::copy_n(borrowed, Count(), bits_);
}

void RasterImage::Attach(std::unique_ptr<Attachment> attachment) {
    attachment_ = std::move(attachment);
}

std::uint32_t RasterImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return bits_[static_cast<std::size_t>(y) * width_ + x];
}

void RasterImage::SetPixel(int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    bits_[static_cast<std::size_t>(y) * width_ + x] = argb;
}

void RasterImage::Resize(int width, int height, std::uint32_t fill) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == width_ && height == height_)
        return;
    Detach();
    RasterImage next(width, height, fill);
    next.CopyFrom(*this, BoundsRect(), {0, 0}, next.BoundsRect());
    next.hasAlpha_ = hasAlpha_;
    TakePixelsOf(next);
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
    const bool mix = blend && src.HasAlpha();
    const bool within = &src == this;
    const int width = target.Width();
    const int srcLeft = from.Left + (target.Left - to.X);
    const int srcTop = from.Top + (target.Top - to.Y);
    // Within one image, rows go in the order that reads each source row before it is overwritten.
    const bool bottomUp = within && srcTop < target.Top;
    std::vector<std::uint32_t> line;  // one source row, for pixel-by-pixel copies within one image
    for (int i = 0; i < target.Height(); ++i) {
        const int row = bottomUp ? target.Height() - 1 - i : i;
        const std::uint32_t* s = src.Row(srcTop + row) + srcLeft;
        std::uint32_t* d = Row(target.Top + row) + target.Left;
        if (!mix && colourKey == nullptr) {
            std::memmove(d, s, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
            continue;
        }
        if (within) {
            line.assign(s, s + width);
            s = line.data();
        }
        for (int x = 0; x < width; ++x) Put(d[x], s[x], mix, colourKey);
    }
}

namespace {

// The source pixels one destination pixel covers along one axis, first and last included.
struct SourceSpan {
    int First;
    int Last;
};

// Where the destination pixels [from, to) of an axis scaled by step (source pixels per destination
// pixel) take their pixels: one when enlarging, the box they cover when shrinking.
std::vector<SourceSpan> SourceSpans(int from, int to, int destStart, int srcStart, double step, int srcSize) {
    std::vector<SourceSpan> spans;
    spans.reserve(static_cast<std::size_t>(std::max(0, to - from)));
    for (int i = from; i < to; ++i) {
        const double start = srcStart + (i - destStart) * step;
        const int first = std::clamp(static_cast<int>(start), 0, srcSize - 1);
        const int last = std::clamp(static_cast<int>(start + std::max(step, 1.0)) - 1, first, srcSize - 1);
        spans.push_back({first, last});
    }
    return spans;
}

std::uint32_t BoxAverage(const RasterImage& src, SourceSpan xs, SourceSpan ys) {
    unsigned long sum[4] = {0, 0, 0, 0};
    unsigned long n = 0;
    for (int y = ys.First; y <= ys.Last; ++y)
        for (int x = xs.First; x <= xs.Last; ++x) {
            std::uint32_t p = src.Row(y)[x];
            sum[0] += p >> 24, sum[1] += (p >> 16) & 0xFF, sum[2] += (p >> 8) & 0xFF, sum[3] += p & 0xFF;
            ++n;
        }
    return static_cast<std::uint32_t>((sum[0] / n) << 24 | (sum[1] / n) << 16 | (sum[2] / n) << 8 |
                                      (sum[3] / n));
}

}  // namespace

void RasterImage::StretchFrom(const RasterImage& src, const TRect& srcRect, const TRect& destRect,
                              const TRect& clip, bool blend, const std::uint32_t* colourKey) {
    if (srcRect.IsEmpty() || destRect.IsEmpty() || src.Empty())
        return;
    if (srcRect.Width() == destRect.Width() && srcRect.Height() == destRect.Height()) {
        CopyFrom(src, srcRect, destRect.TopLeft(), IntersectRect(clip, destRect), blend, colourKey);
        return;
    }
    TRect target = IntersectRect(IntersectRect(destRect, clip), BoundsRect());
    if (target.IsEmpty())
        return;
    const bool mix = blend && src.HasAlpha();
    const double sx = static_cast<double>(srcRect.Width()) / destRect.Width();
    const double sy = static_cast<double>(srcRect.Height()) / destRect.Height();
    // The spans of every column are worked out once, not again for each row.
    const std::vector<SourceSpan> columns =
        SourceSpans(target.Left, target.Right, destRect.Left, srcRect.Left, sx, src.Width());
    const std::vector<SourceSpan> rows =
        SourceSpans(target.Top, target.Bottom, destRect.Top, srcRect.Top, sy, src.Height());
    for (int y = target.Top; y < target.Bottom; ++y) {
        const SourceSpan ys = rows[static_cast<std::size_t>(y - target.Top)];
        const std::uint32_t* first = src.Row(ys.First);
        std::uint32_t* d = Row(y) + target.Left;
        for (std::size_t x = 0; x < columns.size(); ++x) {
            const SourceSpan xs = columns[x];
            // A colour key compares whole source pixels: no averaging then.
            const bool single = colourKey != nullptr || (xs.First == xs.Last && ys.First == ys.Last);
            Put(d[x], single ? first[xs.First] : BoxAverage(src, xs, ys), mix, colourKey);
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
