#pragma once
// TBrush: fill colour and style; bsClear leaves the background as it is.
#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/events.h"

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TPersistent {
  public:
    std::string ClassName() const override { return "TBrush"; }
    void Assign(const TPersistent& source) override;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    TNotifyEvent OnChange;

  private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};
