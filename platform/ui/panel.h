#pragma once
// TPanel: a coloured area with bevels that holds other controls; its bevels stay out of the area
// that aligned children share.
#include "platform/ui/custom_control.h"
#include "platform/ui/label.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
  public:
    explicit TPanel(TComponent* AOwner);
    std::string ClassName() const override { return "TPanel"; }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    void AdjustClientRect(TRect& rect) const override;

  protected:
    void Paint() override;

  private:
    void DrawBevel(TRect& rect, TBevelCut cut);
    void BevelsChanged();
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};
