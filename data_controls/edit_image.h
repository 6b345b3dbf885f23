#pragma once
// TEditImageEh: the picture an edit control shows at the left of its text, taken from an image list.
#include "platform/rtl/component.h"

class TCustomImageList;
class TWinControl;

class TEditImageEh : public TPersistent {
  public:
    explicit TEditImageEh(TWinControl* editControl);
    std::string ClassName() const override { return "TEditImageEh"; }
    TPersistent* GetOwner() const override;
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // Copies Images, ImageIndex, Visible and Width.
    void Assign(const TPersistent& source) override;

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    bool UseImageHeight() const { return useImageHeight_; }
    void SetUseImageHeight(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TWinControl* EditControl() const { return editControl_; }

  private:
    // The edit lays itself out anew (the image-changed message).
    void NotifyChanged();
    TWinControl* editControl_;
    TCustomImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int width_ = 0;
    bool useImageHeight_ = true;
    bool visible_ = false;
};
