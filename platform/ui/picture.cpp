#include "platform/ui/picture.h"

#include "platform/os/paths.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"
#include "platform/ui/icon.h"
#include "platform/ui/jpeg_image.h"
#include "platform/ui/metafile.h"
#include "platform/ui/resources.h"

std::unique_ptr<TGraphic> NewGraphicForExtension(std::string_view extension) {
    std::string ext = AnsiLowerCase(extension);
    if (ext == "bmp")
        return std::make_unique<TBitmap>();
    if (ext == "jpg" || ext == "jpeg")
        return std::make_unique<TJPEGImage>();
    if (ext == "ico")
        return std::make_unique<TIcon>();
    if (ext == "wmf" || ext == "emf")
        return std::make_unique<TMetafile>();
    throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", {ext}));
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Assign(const TPersistent& source) {
    if (auto* picture = dynamic_cast<const TPicture*>(&source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (auto* graphic = dynamic_cast<const TGraphic*>(&source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    Take(graphic != nullptr ? graphic->Clone() : nullptr);
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get()))
        return bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    if (graphic_ != nullptr)
        bitmap->Assign(*graphic_);
    Take(std::move(bitmap));
    return static_cast<TBitmap*>(graphic_.get());
}

int TPicture::Width() const {
    return graphic_ != nullptr ? graphic_->Width() : 0;
}
int TPicture::Height() const {
    return graphic_ != nullptr ? graphic_->Height() : 0;
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string ext = ExtractFileExt(fileName);
    if (!ext.empty())
        ext.erase(0, 1);
    auto graphic = NewGraphicForExtension(ext);
    graphic->LoadFromFile(fileName);
    Take(std::move(graphic));
}

void TPicture::LoadFromResourceName(std::string_view name) {
    const auto& resource = platform::ui::GetResource(name);
    auto graphic = NewGraphicForExtension(resource.Extension);
    graphic->LoadFromResource(resource.Bytes);
    Take(std::move(graphic));
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_ != nullptr)
        graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Changed() {
    if (OnChange)
        OnChange(this);
}
