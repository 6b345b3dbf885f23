#pragma once
// TImage: shows a picture, at its own size or stretched to the control (Stretch); a transparent
// picture lets the parent show through where it has no pixels.
#include <memory>

#include "platform/ui/graphic_control.h"
#include "platform/ui/picture.h"

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    std::string ClassName() const override { return "TImage"; }

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(const TPicture& picture) { picture_->Assign(picture); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

  protected:
    void Paint() override;

  private:
    void PictureChanged();
    TRect DestRect() const;
    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool transparent_ = false;
    bool center_ = false;
    bool autoSize_ = false;
};
