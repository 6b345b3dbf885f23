#include "platform/ui/image_codec.h"

#include <string>

#include "platform/ui/bmp_format.h"
#include "platform/ui/graphic.h"

namespace platform::ui {
namespace {
ImageCodec* g_codec = nullptr;
}

void SetImageCodec(ImageCodec* codec) {
    g_codec = codec;
}
ImageCodec* CurrentImageCodec() {
    return g_codec;
}

RasterImage DecodeImage(std::span<const std::uint8_t> bytes, std::string_view format) {
    if (format == "BMP")
        return DecodeBmp(bytes);
    if (g_codec == nullptr)
        throw EInvalidGraphic("No decoder for " + std::string(format) + " pictures is installed");
    return g_codec->Decode(bytes, format);
}

}  // namespace platform::ui
