#include "platform/ui/canvas.h"

#include "platform/ui/graphic.h"
#include "platform/ui/raster_ops.h"
#include "platform/ui/window_system.h"

using platform::ui::RasterImage;
using platform::ui::Region;

TCanvas::TCanvas() : TCanvas(nullptr) {}

TCanvas::TCanvas(platform::ui::CanvasTarget* target)
    : target_(target),
      font_(std::make_unique<TFont>()),
      brush_(std::make_unique<TBrush>()),
      pen_(std::make_unique<TPen>()) {}

TCanvas::~TCanvas() = default;

RasterImage* TCanvas::Surface(TPoint* origin) {
    if (target_ == nullptr)
        return nullptr;
    RasterImage* image = target_->Image();
    if (origin != nullptr)
        *origin = image != nullptr ? target_->Origin() : TPoint{};
    return image;
}

Region TCanvas::ImageClip(RasterImage& image) {
    Region clip = target_->Clip();
    clip.Intersect(image.BoundsRect());
    if (ownClip_) {
        Region own = *ownClip_;
        const TPoint origin = target_->Origin();
        own.Offset(origin.X, origin.Y);
        clip.Intersect(own);
    }
    return clip;
}

int TCanvas::SaveState() {
    saved_.push_back({ownClip_, penPos_});
    return static_cast<int>(saved_.size());
}

bool TCanvas::RestoreState(int level) {
    const int count = static_cast<int>(saved_.size());
    if (level < 0)
        level += count + 1;
    if (level < 1 || level > count)
        return false;
    SavedState& state = saved_[static_cast<std::size_t>(level - 1)];
    ownClip_ = std::move(state.Clip);
    penPos_ = state.PenPos;
    saved_.resize(static_cast<std::size_t>(level - 1));
    return true;
}

TRect TCanvas::ClipRect() {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr)
        return {};
    return OffsetRect(ImageClip(*image).Bounds(), -origin.X, -origin.Y);
}

void TCanvas::Changed(const TRect& canvasRect) {
    if (target_ == nullptr)
        return;
    TPoint origin = target_->Origin();
    target_->Changed(OffsetRect(canvasRect, origin.X, origin.Y));
}

void TCanvas::FillRect(const TRect& rect) {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr || brush_->Style() == bsClear)
        return;
    TRect at = OffsetRect(rect, origin.X, origin.Y);
    std::uint32_t argb = ColorToArgb(brush_->Color());
    const Region clipRegion = ImageClip(*image);
    for (const TRect& clip : clipRegion.Rects()) image->Fill(at, argb, clip);
    Changed(rect);
}

void TCanvas::FrameRect(const TRect& rect) {
    if (rect.IsEmpty())
        return;
    FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1});
    FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
    FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
    FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    const TRect inside{left + 1, top + 1, right - 1, bottom - 1};
    if (pen_->Mode() == pmCopy) {
        FillRect(inside);
    } else if (brush_->Style() != bsClear) {
        // The pen's mode rules the fill as well, so a XOR rectangle drawn twice is gone.
        const std::uint32_t argb = ColorToArgb(brush_->Color());
        const TPenMode mode = pen_->Mode();
        ModifyPixels(inside,
                     [&](std::uint32_t screen) { return platform::ui::ApplyRasterOp(mode, screen, argb); });
    }
    if (pen_->Style() == psClear)
        return;
    MoveTo(left, top);
    LineTo(right - 1, top);
    LineTo(right - 1, bottom - 1);
    LineTo(left, bottom - 1);
    LineTo(left, top);
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}

TSize TCanvas::TextExtent(std::string_view text) {
    return platform::ui::CurrentWindowSystem().Text().Measure(font_->Spec(), text);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    TSize size = TextExtent(text);
    TextRect(Bounds(x, y, size.cx, size.cy), x, y, text);
    penPos_ = {x + size.cx, y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr)
        return;
    FillRect(rect);
    Region clip = ImageClip(*image);
    clip.Intersect(OffsetRect(rect, origin.X, origin.Y));
    auto& engine = platform::ui::CurrentWindowSystem().Text();
    std::uint32_t argb = ColorToArgb(font_->Color());
    for (const TRect& part : clip.Rects())
        engine.Draw(*image, font_->Spec(), argb, part, x + origin.X, y + origin.Y, text);
    Changed(rect);
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty())
        return;
    graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (graphic == nullptr || graphic->Empty())
        return;
    graphic->Draw(*this, rect);
}

void TCanvas::DrawImage(const RasterImage& source, const TRect& srcRect, const TRect& destRect, bool blend,
                        const std::uint32_t* colourKey) {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr)
        return;
    TRect at = OffsetRect(destRect, origin.X, origin.Y);
    const bool scaled = srcRect.Width() != destRect.Width() || srcRect.Height() != destRect.Height();
    if (image == &source && scaled) {
        // Scaling within one surface: take the source pixels first, only those of the source rectangle.
        const TRect part = IntersectRect(srcRect, source.BoundsRect());
        RasterImage copy(part.Width(), part.Height());
        copy.CopyFrom(source, part, {0, 0}, copy.BoundsRect());
        copy.SetHasAlpha(source.HasAlpha());
        const Region clipRegion = ImageClip(*image);
        for (const TRect& clip : clipRegion.Rects())
            image->StretchFrom(copy, OffsetRect(srcRect, -part.Left, -part.Top), at, clip, blend, colourKey);
    } else {
        // Unscaled copies within one surface take care of the overlap themselves.
        const Region clipRegion = ImageClip(*image);
        for (const TRect& clip : clipRegion.Rects())
            image->StretchFrom(source, srcRect, at, clip, blend, colourKey);
    }
    Changed(destRect);
}

void TCanvas::CopyRect(const TRect& destRect, TCanvas& source, const TRect& sourceRect) {
    if (CopyMode == cmBlackness || CopyMode == cmWhiteness) {
        TBrush saved;
        saved.Assign(*brush_);
        brush_->SetColor(CopyMode == cmBlackness ? clBlack : clWhite);
        FillRect(destRect);
        brush_->Assign(saved);
        return;
    }
    TPoint srcOrigin;
    RasterImage* from = source.Surface(&srcOrigin);
    if (from == nullptr)
        return;
    DrawImage(*from, OffsetRect(sourceRect, srcOrigin.X, srcOrigin.Y), destRect, false);
}

TColor TCanvas::Pixel(int x, int y) {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr)
        return clNone;
    std::uint32_t p = image->Pixel(x + origin.X, y + origin.Y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    TPoint origin;
    RasterImage* image = Surface(&origin);
    if (image == nullptr)
        return;
    TPoint at{x + origin.X, y + origin.Y};
    const Region clipRegion = ImageClip(*image);
    for (const TRect& clip : clipRegion.Rects())
        if (clip.Contains(at))
            image->SetPixel(at.X, at.Y, ColorToArgb(color));
    Changed(Bounds(x, y, 1, 1));
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
    if (dest == nullptr || (src == nullptr && rop == SRCCOPY))
        return false;
    TCopyMode saved = dest->CopyMode;
    dest->CopyMode = static_cast<TCopyMode>(rop);
    // Blackness and whiteness take nothing from the source.
    dest->CopyRect(Bounds(x, y, width, height), src != nullptr ? *src : *dest,
                   Bounds(xSrc, ySrc, width, height));
    dest->CopyMode = saved;
    return true;
}
