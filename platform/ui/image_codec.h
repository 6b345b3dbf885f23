#pragma once
// Decoding picture files into pixels. The Qt library installs its decoder (platform/ui/qt/qt_host.h:
// InstallQtImageCodec, done by QtHost); without one only BMP files can be read.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ui/raster_image.h"

namespace platform::ui {

class ImageCodec {
  public:
    virtual ~ImageCodec() = default;
    // format: "BMP", "JPEG" or "ICO". Raises EInvalidGraphic when the bytes are not such a picture.
    virtual RasterImage Decode(std::span<const std::uint8_t> bytes, std::string_view format) = 0;
    // The picture's size from its header alone; raises as Decode does when the bytes are no such
    // picture. Decodes the whole picture unless a codec knows better.
    virtual TSize Measure(std::span<const std::uint8_t> bytes, std::string_view format);
};

void SetImageCodec(ImageCodec* codec);  // not owned; nullptr removes it
ImageCodec* CurrentImageCodec();

// Decodes through the installed codec, or the built-in BMP reader when none is installed.
RasterImage DecodeImage(std::span<const std::uint8_t> bytes, std::string_view format);
TSize MeasureImage(std::span<const std::uint8_t> bytes, std::string_view format);

}  // namespace platform::ui
