#pragma once
// TJPEGImage: a JPEG picture. One read from a file or from bytes is decoded at once, so damaged
// content is reported by the load; a built-in one is decoded when it is first drawn, so a picture
// that is replaced before the window shows (the kiosk's splash) costs no decoding.
#include "platform/ui/graphic.h"

class TJPEGImage : public TGraphic {
  public:
    std::string ClassName() const override { return "TJPEGImage"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TPersistent& source) override;
    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
    void LoadFromResource(std::span<const std::uint8_t> bytes) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;

  protected:
    TSize Size() const override;
    const platform::ui::RasterImage& Pixels() const override;

  private:
    void DecodePending() const;
    mutable std::span<const std::uint8_t> pending_;  // a built-in picture not decoded yet
    TSize pendingSize_{};
};
