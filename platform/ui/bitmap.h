#pragma once
// TBitmap: a picture you can draw on through its Canvas; reads and writes BMP.
#include <memory>

#include "platform/ui/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/graphic.h"

class TBitmap : public TGraphic {
  public:
    TBitmap();
    ~TBitmap() override;
    std::string ClassName() const override { return "TBitmap"; }
    std::unique_ptr<TGraphic> Clone() const override;
    // Takes the pixels of any graphic (or nothing from nullptr-like empty ones); the canvas keeps its tools.
    void Assign(const TPersistent& source) override;

    TCanvas* Canvas();
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetSize(int width, int height);

    // With Transparent set, pixels of this colour are left out when drawn (default: the bottom-left pixel).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
    void SaveToFile(const std::string& fileName) const;  // 32-bit BMP

    using TGraphic::Pixels;  // the read-only view stays visible beside the writable one
    platform::ui::RasterImage& Pixels() { return image_; }
    void Draw(TCanvas& canvas, const TRect& rect) override;

  private:
    class Target;
    std::unique_ptr<Target> target_;
    std::unique_ptr<TCanvas> canvas_;
    bool fixedTransparentColor_ = false;
    TColor transparentColor_ = clNone;
};
