#pragma once
// TPen: line colour, width and style.
#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/events.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TPersistent {
  public:
    std::string ClassName() const override { return "TPen"; }
    void Assign(const TPersistent& source) override;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TNotifyEvent OnChange;

  private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};
