#pragma once
// Picture decoding and encoding through Qt's image readers (JPEG, BMP, ICO, PNG ...).
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/ui/image_codec.h"

namespace platform::ui {

class QtImageCodec : public ImageCodec {
  public:
    RasterImage Decode(std::span<const std::uint8_t> bytes, std::string_view format) override;
    TSize Measure(std::span<const std::uint8_t> bytes, std::string_view format) override;
};

}  // namespace platform::ui
