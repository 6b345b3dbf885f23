#include "platform/ui/icon.h"

#include "platform/ui/image_codec.h"

std::unique_ptr<TGraphic> TIcon::Clone() const {
    auto copy = std::make_unique<TIcon>();
    copy->Assign(*this);
    return copy;
}

void TIcon::Assign(const TPersistent& source) {
    auto* icon = dynamic_cast<const TIcon*>(&source);
    if (icon == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    image_ = icon->Image();
    Changed();
}

void TIcon::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    image_ = platform::ui::DecodeImage(bytes, "ICO");
    image_.SetHasAlpha(true);
    Changed();
}
