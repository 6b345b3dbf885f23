#pragma once
// TIcon: an icon picture (the largest image of the file), drawn with its transparency.
#include "platform/ui/graphic.h"

class TIcon : public TGraphic {
  public:
    TIcon() { transparent_ = true; }
    std::string ClassName() const override { return "TIcon"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TPersistent& source) override;
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};
