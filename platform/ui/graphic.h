#pragma once
// TGraphic: a picture held as pixels, drawn onto a canvas; loaded from a file or from bytes.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/rtl/component.h"
#include "platform/ui/events.h"
#include "platform/ui/raster_image.h"

class TCanvas;

class EInvalidGraphic : public Exception {
  public:
    using Exception::Exception;
};

// A file that cannot be opened for reading.
class EFOpenError : public Exception {
  public:
    using Exception::Exception;
};

class TGraphic : public TPersistent {
  public:
    std::string ClassName() const override { return "TGraphic"; }
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    bool Empty() const { return image_.Empty(); }
    int Width() const { return image_.Width(); }
    int Height() const { return image_.Height(); }
    virtual void SetWidth(int width);
    virtual void SetHeight(int height);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // Draws the picture scaled into rect.
    virtual void Draw(TCanvas& canvas, const TRect& rect);
    // Raises EFOpenError when the file cannot be read, EInvalidGraphic when its content is damaged.
    void LoadFromFile(const std::string& fileName);
    virtual void LoadFromBytes(std::span<const std::uint8_t> bytes) = 0;

    const platform::ui::RasterImage& Image() const { return image_; }
    TNotifyEvent OnChange;

  protected:
    virtual void Changed();
    platform::ui::RasterImage image_;
    bool transparent_ = false;
};

// Reads a whole file; raises EFOpenError "Cannot open file "<name>". <reason>".
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
