#pragma once
// TGraphic: a picture held as pixels, drawn onto a canvas; loaded from a file or from bytes.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/file_stream.h"
#include "platform/ui/events.h"
#include "platform/ui/raster_image.h"

class TCanvas;

class EInvalidGraphic : public Exception {
  public:
    using Exception::Exception;
};

class TGraphic : public TPersistent {
  public:
    std::string ClassName() const override { return "TGraphic"; }
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    int Width() const { return Size().cx; }
    int Height() const { return Size().cy; }
    virtual void SetWidth(int width);
    virtual void SetHeight(int height);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // Draws the picture scaled into rect.
    virtual void Draw(TCanvas& canvas, const TRect& rect);
    // Raises EFOpenError when the file cannot be read, EInvalidGraphic when its content is damaged.
    void LoadFromFile(const std::string& fileName);
    virtual void LoadFromBytes(std::span<const std::uint8_t> bytes) = 0;
    // A picture built into the program: its bytes last as long as the program, so a graphic may
    // keep them and decode them only when its pixels are first wanted.
    virtual void LoadFromResource(std::span<const std::uint8_t> bytes) { LoadFromBytes(bytes); }

    const platform::ui::RasterImage& Image() const { return Pixels(); }
    TNotifyEvent OnChange;

  protected:
    virtual void Changed();
    // The picture's size and pixels; a graphic that decodes on first use answers both before then.
    virtual TSize Size() const { return {image_.Width(), image_.Height()}; }
    virtual const platform::ui::RasterImage& Pixels() const { return image_; }
    // Mutable: a graphic that decodes on first use fills it from its const accessors.
    mutable platform::ui::RasterImage image_;
    bool transparent_ = false;
};

// Reads a whole file; raises EFOpenError "Cannot open file "<name>". <reason>".
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
