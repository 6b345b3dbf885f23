#pragma once
// TCanvas: drawing with a font, a brush and a pen onto a pixel buffer: a bitmap's, or a window's
// surface (a control's canvas draws onto its form's surface at the control's place, clipped to it).
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/ui/brush.h"
#include "platform/ui/font.h"
#include "platform/ui/pen.h"
#include "platform/ui/raster_image.h"
#include "platform/ui/region.h"

class TGraphic;
class TCanvas;
using HDC = TCanvas*;

namespace platform::ui {

// Where a canvas draws: a pixel buffer, the canvas's origin in it and the part it may touch.
class CanvasTarget {
  public:
    virtual ~CanvasTarget() = default;
    virtual RasterImage* Image() = 0;  // nullptr: nowhere to draw (a window not made yet)
    virtual TPoint Origin() = 0;       // the canvas's (0, 0) in image coordinates
    virtual Region Clip() = 0;         // in image coordinates
    virtual void Changed(const TRect& imageRect) { (void)imageRect; }  // the window shows new pixels
};

}  // namespace platform::ui

enum TCopyMode : DWORD { cmSrcCopy = 0x00CC0020, cmBlackness = 0x00000042, cmWhiteness = 0x00FF0062 };
constexpr DWORD SRCCOPY = 0x00CC0020;

class TCanvas : public TPersistent {
  public:
    TCanvas();
    explicit TCanvas(platform::ui::CanvasTarget* target);
    ~TCanvas() override;
    std::string ClassName() const override { return "TCanvas"; }
    void SetTarget(platform::ui::CanvasTarget* target) { target_ = target; }

    TFont* Font() const { return font_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    TPen* Pen() const { return pen_.get(); }
    HDC Handle() { return this; }
    // Marks the canvas in use by one drawing (a shared off-screen canvas); calls nest.
    void Lock() { ++lockCount_; }
    void Unlock() { --lockCount_; }
    int LockCount() const { return lockCount_; }
    TCopyMode CopyMode = cmSrcCopy;

    // The part of the canvas that drawing can reach, in canvas coordinates.
    TRect ClipRect();

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }
    // Lines from point to point with the pen (its style running on across the corners); a polygon
    // is closed and its inside filled with the brush first (even-odd), both in the pen's mode.
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);

    // A clip of the canvas's own (canvas coordinates) within what its target allows; none: no limit.
    const std::optional<platform::ui::Region>& OwnClip() const { return ownClip_; }
    void SetOwnClip(std::optional<platform::ui::Region> clip) { ownClip_ = std::move(clip); }
    // Saves the own clip and the pen position; returns the saved state's level (1 for the first).
    int SaveState();
    // Back to a saved level (below 0: that many levels back); the levels above it are dropped.
    bool RestoreState(int level);
    // Applies fn(screenArgb) -> argb, or fn(x, y, screenArgb) -> argb with the pixel's canvas
    // coordinates, to each pixel of rect (canvas coordinates) that may be drawn.
    template <typename Fn>
    void ModifyPixels(const TRect& rect, Fn fn);

    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    // Draws a line of text with its top-left at (x, y); the brush fills the text's cell unless clear.
    void TextOut(int x, int y, std::string_view text);
    // Draws text at (x, y) clipped to rect; the brush fills rect unless clear.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies source's sourceRect into destRect (scaling when sizes differ), as CopyMode says.
    void CopyRect(const TRect& destRect, TCanvas& source, const TRect& sourceRect);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // For graphics drawing themselves: pixels of image's srcRect into destRect (canvas coordinates).
    void DrawImage(const platform::ui::RasterImage& image, const TRect& srcRect, const TRect& destRect,
                   bool blend, const std::uint32_t* colourKey = nullptr);
    // The pixels behind the canvas, and the canvas's origin in them; nullptr when there are none.
    platform::ui::RasterImage* Surface(TPoint* origin = nullptr);

  private:
    struct SavedState {
        std::optional<platform::ui::Region> Clip;
        TPoint PenPos;
    };
    void Changed(const TRect& canvasRect);
    platform::ui::Region ImageClip(platform::ui::RasterImage& image);
    // The pen along the points (each segment's end left out, as on the platform; a closed path
    // comes back to the first point), every pixel touched once whatever the mode.
    void StrokePath(std::span<const TPoint> points, bool closed);
    platform::ui::CanvasTarget* target_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    TPoint penPos_;
    std::optional<platform::ui::Region> ownClip_;
    std::vector<SavedState> saved_;
    int lockCount_ = 0;
};

template <typename Fn>
void TCanvas::ModifyPixels(const TRect& rect, Fn fn) {
    TPoint origin;
    platform::ui::RasterImage* image = Surface(&origin);
    if (image == nullptr || rect.IsEmpty())
        return;
    platform::ui::Region area = ImageClip(*image);
    area.Intersect(OffsetRect(rect, origin.X, origin.Y));
    for (const TRect& part : area.Rects())
        for (int y = part.Top; y < part.Bottom; ++y) {
            std::uint32_t* row = image->Row(y);
            for (int x = part.Left; x < part.Right; ++x) {
                if constexpr (std::is_invocable_v<Fn, int, int, std::uint32_t>)
                    row[x] = fn(x - origin.X, y - origin.Y, row[x]);
                else
                    row[x] = fn(row[x]);
            }
        }
    Changed(rect);
}

// Copies a rectangle of pixels between canvases; rop SRCCOPY (others as CopyMode's values).
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
