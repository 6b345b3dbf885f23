#include "data_controls/edit_image.h"

#include "data_controls/db_edit.h"
#include "platform/ui/image_list.h"
#include "platform/ui/win_control.h"

TEditImageEh::TEditImageEh(TWinControl* editControl) : editControl_(editControl) {}

TPersistent* TEditImageEh::GetOwner() const {
    return editControl_;
}

const TPropertyList& TEditImageEh::Published() {
    using Self = TEditImageEh;
    static const TPropertyList list =
        TPublish<Self>(TPersistent::Published())
            .Integer("ImageIndex", &Self::ImageIndex, &Self::SetImageIndex)
            .Default(-1)
            .Component("Images", &Self::Images, &Self::SetImages)
            .Boolean("UseImageHeight", &Self::UseImageHeight, &Self::SetUseImageHeight)
            .Default(true)
            .Boolean("Visible", &Self::Visible, &Self::SetVisible)
            .Default(false)
            .Integer("Width", &Self::Width, &Self::SetWidth)
            .Default(0);
    return list;
}

void TEditImageEh::Assign(const TPersistent& source) {
    const auto* image = dynamic_cast<const TEditImageEh*>(&source);
    if (image == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetImages(image->images_);
    SetImageIndex(image->imageIndex_);
    SetVisible(image->visible_);
    SetWidth(image->width_);
}

void TEditImageEh::SetImageIndex(int value) {
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    if (editControl_ != nullptr)
        editControl_->Invalidate();
}

void TEditImageEh::SetImages(TCustomImageList* value) {
    if (value == images_)
        return;
    images_ = value;
    if (images_ != nullptr && editControl_ != nullptr)
        images_->FreeNotification(editControl_);
    NotifyChanged();
}

void TEditImageEh::SetUseImageHeight(bool value) {
    if (value == useImageHeight_)
        return;
    useImageHeight_ = value;
    NotifyChanged();
}

void TEditImageEh::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    NotifyChanged();
}

void TEditImageEh::SetWidth(int value) {
    if (value == width_)
        return;
    width_ = value;
    NotifyChanged();
}

void TEditImageEh::NotifyChanged() {
    if (editControl_ != nullptr)
        editControl_->Perform(CM_EDITIMAGECHANGEDEH, reinterpret_cast<WPARAM>(this));
}
