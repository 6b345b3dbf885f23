#pragma once
// TMetafile: vector pictures (.wmf, .emf). No renderer for them is installed, so loading one raises
// EInvalidGraphic with a plain explanation instead of showing nothing.
#include "platform/ui/graphic.h"

class TMetafile : public TGraphic {
  public:
    std::string ClassName() const override { return "TMetafile"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};
