#pragma once
// TShape: a rectangle, square, rounded rectangle or square, ellipse or circle drawn with its own
// pen (the outline) and brush (the inside); square and circle sit centred in the bounds.
#include <memory>

#include "platform/ui/brush.h"
#include "platform/ui/graphic_control.h"
#include "platform/ui/pen.h"

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
  public:
    explicit TShape(TComponent* AOwner);
    std::string ClassName() const override { return "TShape"; }

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }

  protected:
    void Paint() override;

  private:
    TRect ShapeRect() const;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TShapeType shape_ = stRectangle;
};
