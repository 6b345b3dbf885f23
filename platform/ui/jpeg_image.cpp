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
    Changed();
}

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    image_ = platform::ui::DecodeImage(bytes, "JPEG");
    image_.SetHasAlpha(false);
    Changed();
}
