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

TSize ImageCodec::Measure(std::span<const std::uint8_t> bytes, std::string_view format) {
    const RasterImage image = Decode(bytes, format);
    return {image.Width(), image.Height()};
}

namespace {
ImageCodec& CodecFor(std::string_view format) {
    if (g_codec == nullptr)
        throw EInvalidGraphic("No decoder for " + std::string(format) + " pictures is installed");
    return *g_codec;
}
}  // namespace

RasterImage DecodeImage(std::span<const std::uint8_t> bytes, std::string_view format) {
    if (format == "BMP")
        return DecodeBmp(bytes);
    return CodecFor(format).Decode(bytes, format);
}

TSize MeasureImage(std::span<const std::uint8_t> bytes, std::string_view format) {
    if (format == "BMP") {
        const RasterImage image = DecodeBmp(bytes);
        return {image.Width(), image.Height()};
    }
    return CodecFor(format).Measure(bytes, format);
}

}  // namespace platform::ui
