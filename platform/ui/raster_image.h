#pragma once
// A pixel buffer of 0xAARRGGBB values (not premultiplied), row after row without padding. Window
// surfaces and bitmaps both hold one, whatever backend shows them. A window surface may draw on
// pixels the host keeps for the window (borrowed) rather than on pixels of its own.
#include <cstdint>
#include <memory>

#include "platform/ui/types.h"

namespace platform::ui {

class RasterImage {
  public:
    RasterImage() = default;
    RasterImage(int width, int height, std::uint32_t fill = 0xFFFFFFFF);
    // Pixels left as memory gives them: for a decoder that writes every one.
    static RasterImage Uninitialized(int width, int height);
    // Copies and moves take the pixels, never an attachment; the target's attachment is let go first.
    // Borrowed pixels are copied, not moved: they stay where their owner keeps them.
    RasterImage(const RasterImage& other);
    RasterImage(RasterImage&& other) noexcept;
    RasterImage& operator=(const RasterImage& other);
    RasterImage& operator=(RasterImage&& other) noexcept;
    ~RasterImage();

    // What a backend keeps open on these pixels between its drawings (the Qt host's painter). It is
    // let go before the pixels move or go away: on resizing, assigning, moving out and destruction.
    class Attachment {
      public:
        virtual ~Attachment() = default;
    };
    Attachment* GetAttachment() const { return attachment_.get(); }
    void Attach(std::unique_ptr<Attachment> attachment);
    void Detach() { attachment_.reset(); }

    // Draws on width x height pixels that another owner keeps (a host window's backing store), laid
    // out as here, instead of on pixels of its own. They are never freed here; the image gives them
    // up when resized to another size, assigned, moved out or told to own its pixels.
    void Borrow(std::uint32_t* bits, int width, int height);
    bool Borrowed() const { return borrowed_; }
    // Copies borrowed pixels into pixels of its own, before their owner takes them back.
    void OwnPixels();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    TRect BoundsRect() const { return {0, 0, width_, height_}; }
    // True when some pixel may be less than opaque; drawing then blends.
    bool HasAlpha() const { return hasAlpha_; }
    void SetHasAlpha(bool value) { hasAlpha_ = value; }

    std::uint32_t Pixel(int x, int y) const;  // 0 outside
    void SetPixel(int x, int y, std::uint32_t argb);
    std::uint32_t* Row(int y) { return bits_ + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const { return bits_ + static_cast<std::size_t>(y) * width_; }
    std::uint32_t* Bits() { return bits_; }
    const std::uint32_t* Bits() const { return bits_; }

    // New size; the pixels that still fit keep their place, new ones take fill.
    void Resize(int width, int height, std::uint32_t fill = 0xFFFFFFFF);
    void Fill(const TRect& rect, std::uint32_t argb, const TRect& clip);

    // Copies src's srcRect to dest's top-left point, clipped; with blend, alpha sources are blended
    // and, when colourKey is given, pixels of that colour are left out.
    void CopyFrom(const RasterImage& src, const TRect& srcRect, TPoint dest, const TRect& clip,
                  bool blend = false, const std::uint32_t* colourKey = nullptr);
    // Scales src's srcRect into destRect (nearest pixel when shrinking little, box-averaged otherwise).
    void StretchFrom(const RasterImage& src, const TRect& srcRect, const TRect& destRect, const TRect& clip,
                     bool blend = false, const std::uint32_t* colourKey = nullptr);
    // A one-pixel line, both ends included (horizontal and vertical lines exactly, others stepped).
    void Line(TPoint from, TPoint to, std::uint32_t argb, const TRect& clip);

  private:
    std::size_t Count() const { return static_cast<std::size_t>(width_) * height_; }
    // Pixels of its own at this size, as memory gives them; borrowed ones are given up.
    void Allocate(int width, int height);
    void CopyPixelsOf(const RasterImage& other);
    void TakePixelsOf(RasterImage& other);

    int width_ = 0;
    int height_ = 0;
    bool hasAlpha_ = false;
    bool borrowed_ = false;
    std::unique_ptr<std::uint32_t[]> owned_;
    std::uint32_t* bits_ = nullptr;  // owned_, or the borrowed pixels
    // Declared after the pixels: it goes first, while they are still there.
    std::unique_ptr<Attachment> attachment_;
};

}  // namespace platform::ui
