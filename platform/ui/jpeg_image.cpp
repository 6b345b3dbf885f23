#include "platform/ui/jpeg_image.h"

#include "platform/ui/image_codec.h"

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->Assign(*this);
    return copy;
}

void TJPEGImage::Assign(const TPersistent& source) {
    auto* graphic = dynamic_cast<const TGraphic*>(&source);
    if (graphic == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    image_ = graphic->Image();
    image_.SetHasAlpha(false);
    pending_ = {};
    Changed();
}

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    image_ = platform::ui::DecodeImage(bytes, "JPEG");
    image_.SetHasAlpha(false);
    pending_ = {};
    Changed();
}

void TJPEGImage::LoadFromResource(std::span<const std::uint8_t> bytes) {
    // The header is read now: a resource that is no JPEG at all still fails here.
    pendingSize_ = platform::ui::MeasureImage(bytes, "JPEG");
    image_ = {};
    pending_ = bytes;
    Changed();
}

void TJPEGImage::SetWidth(int width) {
    DecodePending();
    TGraphic::SetWidth(width);
}

void TJPEGImage::SetHeight(int height) {
    DecodePending();
    TGraphic::SetHeight(height);
}

TSize TJPEGImage::Size() const {
    return pending_.empty() ? TGraphic::Size() : pendingSize_;
}

const platform::ui::RasterImage& TJPEGImage::Pixels() const {
    DecodePending();
    return image_;
}

void TJPEGImage::DecodePending() const {
    if (pending_.empty())
        return;
    // Taken first: a picture that fails to decode is reported once and then stays empty.
    const std::span<const std::uint8_t> bytes = pending_;
    pending_ = {};
    image_ = platform::ui::DecodeImage(bytes, "JPEG");
    image_.SetHasAlpha(false);
}
