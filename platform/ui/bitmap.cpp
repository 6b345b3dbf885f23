#include "platform/ui/bitmap.h"

#include <fstream>

#include "platform/ui/bmp_format.h"

class TBitmap::Target : public platform::ui::CanvasTarget {
  public:
    explicit Target(TBitmap& owner) : owner_(owner) {}
    platform::ui::RasterImage* Image() override { return &owner_.image_; }
    TPoint Origin() override { return {}; }
    platform::ui::Region Clip() override { return platform::ui::Region(owner_.image_.BoundsRect()); }

  private:
    TBitmap& owner_;
};

TBitmap::TBitmap()
    : target_(std::make_unique<Target>(*this)), canvas_(std::make_unique<TCanvas>(target_.get())) {}

TBitmap::~TBitmap() = default;

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

void TBitmap::Assign(const TPersistent& source) {
    auto* graphic = dynamic_cast<const TGraphic*>(&source);
    if (graphic == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (graphic == this)
        return;
    image_ = graphic->Image();
    transparent_ = graphic->Transparent();
    if (auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        fixedTransparentColor_ = bitmap->fixedTransparentColor_;
        transparentColor_ = bitmap->transparentColor_;
    }
    Changed();
}

TCanvas* TBitmap::Canvas() {
    return canvas_.get();
}

void TBitmap::SetWidth(int width) {
    SetSize(width, Height());
}
void TBitmap::SetHeight(int height) {
    SetSize(Width(), height);
}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height())
        return;
    image_.Resize(width, height);
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (fixedTransparentColor_)
        return transparentColor_;
    if (Empty())
        return clDefault;
    std::uint32_t p = image_.Pixel(0, Height() - 1);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TBitmap::SetTransparentColor(TColor color) {
    fixedTransparentColor_ = color != clDefault;
    transparentColor_ = color;
    Changed();
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    image_ = platform::ui::DecodeBmp(bytes);
    Changed();
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    auto bytes = platform::ui::EncodeBmp(image_);
    std::ofstream out(fileName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw EFCreateError("Cannot create file \"" + fileName + "\"");
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty())
        return;
    if (!transparent_ || image_.HasAlpha()) {
        canvas.DrawImage(image_, image_.BoundsRect(), rect, transparent_);
        return;
    }
    std::uint32_t key = ColorToArgb(TransparentColor());
    canvas.DrawImage(image_, image_.BoundsRect(), rect, false, &key);
}
