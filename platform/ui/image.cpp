#include "platform/ui/image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::SetStretch(bool value) {
    if (value == stretch_)
        return;
    stretch_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    PictureChanged();
}

void TImage::SetCenter(bool value) {
    if (value == center_)
        return;
    center_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void TImage::PictureChanged() {
    TGraphic* graphic = picture_->Graphic();
    if (graphic != nullptr && graphic->Transparent() != transparent_) {
        auto saved = std::move(picture_->OnChange);
        graphic->SetTransparent(transparent_);
        picture_->OnChange = std::move(saved);
    }
    if (autoSize_ && graphic != nullptr && !graphic->Empty())
        SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
    Invalidate();
}

TRect TImage::DestRect() const {
    int w = picture_->Width(), h = picture_->Height();
    if (stretch_)
        return ClientRect();
    if (center_)
        return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return Bounds(0, 0, w, h);
}

void TImage::Paint() {
    TGraphic* graphic = picture_->Graphic();
    if (graphic == nullptr || graphic->Empty())
        return;
    Canvas()->StretchDraw(DestRect(), graphic);
}
