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
};

void SetImageCodec(ImageCodec* codec);  // not owned; nullptr removes it
ImageCodec* CurrentImageCodec();

// Decodes through the installed codec, or the built-in BMP reader when none is installed.
RasterImage DecodeImage(std::span<const std::uint8_t> bytes, std::string_view format);

}  // namespace platform::ui
