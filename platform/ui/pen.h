#pragma once
// TPen: line colour, width, style and mode (how the pen's colour meets the pixels under it).
#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/events.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The platform's sixteen binary raster operations, in its order: the result for pen P and screen S.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

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
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    TNotifyEvent OnChange;

  private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};
