#pragma once
// TJPEGImage: a JPEG picture.
#include "platform/ui/graphic.h"

class TJPEGImage : public TGraphic {
  public:
    std::string ClassName() const override { return "TJPEGImage"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TPersistent& source) override;
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};
