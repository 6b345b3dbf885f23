#pragma once
// One QPainter kept open on the image text was last drawn into, so a screen of cells costs one
// QPainter::begin and one font resolution, not one of each per cell. Qt's raster painter writes
// straight into the image's pixels at each call and keeps none of them, so the image's own fills and
// copies between two texts stay in step with it. The painter ends before the pixels move or go away
// (the image lets go of its attachment when resized, assigned or destroyed), when text goes to
// another image, and with this object.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <memory>

#include "platform/ui/raster_image.h"

namespace platform::ui {

class QtTextPainter {
  public:
    QtTextPainter() = default;
    ~QtTextPainter();
    QtTextPainter(const QtTextPainter&) = delete;
    QtTextPainter& operator=(const QtTextPainter&) = delete;

    // The painter on image, opened there when it is not already, clipped to clip, with the font and
    // the pen's colour set; its transform is the identity.
    QPainter& Begin(RasterImage& image, const TRect& clip, const QFont& font, std::uint32_t argb);
    // Ends the painter, if one is open.
    void End();
    bool IsOpenOn(const RasterImage& image) const { return image_ == &image; }

  private:
    class Lease;
    void Open(RasterImage& image);
    void Forget();

    RasterImage* image_ = nullptr;
    Lease* lease_ = nullptr;  // owned by image_
    std::unique_ptr<QImage> target_;
    std::unique_ptr<QPainter> painter_;
    const QFont* font_ = nullptr;  // the font last set; the engine's fonts stay put
    std::uint32_t argb_ = 0;
};

}  // namespace platform::ui
