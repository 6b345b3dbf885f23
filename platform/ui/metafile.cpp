#include "platform/ui/metafile.h"

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    auto copy = std::make_unique<TMetafile>();
    copy->image_ = image_;
    return copy;
}

void TMetafile::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    (void)bytes;
    throw EInvalidGraphic(
        "Metafile pictures (.wmf, .emf) cannot be shown: no metafile renderer is installed");
}
