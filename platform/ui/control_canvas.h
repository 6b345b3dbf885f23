#pragma once
// The canvas target of a control: its form's surface, at the control's place, clipped to the part
// of the window where the control can be seen (windowed children and the windowed siblings above
// it cut out), and while painting also to the area being painted.
#include <memory>

#include "platform/ui/canvas.h"

class TControl;

namespace platform::ui {

class ControlCanvasTarget : public CanvasTarget {
  public:
    explicit ControlCanvasTarget(TControl& control) : control_(control) {}
    RasterImage* Image() override;
    TPoint Origin() override;
    Region Clip() override;
    void Changed(const TRect& imageRect) override;

  private:
    TControl& control_;
};

// Where a control paints, in form coordinates.
Region PaintArea(const TControl& control);

// Limits drawing to clip while a control paints; nests.
class PaintClipScope {
  public:
    explicit PaintClipScope(const Region& clip);
    ~PaintClipScope();
    PaintClipScope(const PaintClipScope&) = delete;
    PaintClipScope& operator=(const PaintClipScope&) = delete;

  private:
    const Region* previous_;
};
const Region* CurrentPaintClip();

}  // namespace platform::ui

// A canvas on a control, for drawing outside painting: at the control's place in its window,
// clipped to the part of it that can be seen. Without a control it draws nowhere.
class TControlCanvas : public TCanvas {
  public:
    TControlCanvas();
    ~TControlCanvas() override;
    std::string ClassName() const override { return "TControlCanvas"; }
    TControl* Control() const { return control_; }
    void SetControl(TControl* control);

  private:
    TControl* control_ = nullptr;
    std::unique_ptr<platform::ui::ControlCanvasTarget> target_;
};
