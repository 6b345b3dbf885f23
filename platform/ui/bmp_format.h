#pragma once
// The BMP file format: uncompressed 1-, 4-, 8-, 24- and 32-bit pictures in and 32-bit pictures out.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/ui/raster_image.h"

namespace platform::ui {

// Raises EInvalidGraphic "Bitmap image is not valid" for anything else.
RasterImage DecodeBmp(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeBmp(const RasterImage& image);

}  // namespace platform::ui
