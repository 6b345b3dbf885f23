#include "platform/ui/control_canvas.h"

#include "platform/ui/top_level.h"
#include "platform/ui/win_control.h"

namespace platform::ui {
namespace {
const Region* g_paintClip = nullptr;
}

PaintClipScope::PaintClipScope(const Region& clip) : previous_(g_paintClip) {
    g_paintClip = &clip;
}
PaintClipScope::~PaintClipScope() {
    g_paintClip = previous_;
}
const Region* CurrentPaintClip() {
    return g_paintClip;
}

Region PaintArea(const TControl& control) {
    if (auto* win = dynamic_cast<const TWinControl*>(&control))
        return win->OwnPaintArea();
    if (control.Parent() == nullptr || !control.IsShowing())
        return {};
    TPoint o = control.FormOrigin();
    Region area(Bounds(o.X, o.Y, control.Width(), control.Height()));
    area.Intersect(control.Parent()->OwnPaintArea());
    return area;
}

RasterImage* ControlCanvasTarget::Image() {
    return TopLevelSurface(control_);
}

TPoint ControlCanvasTarget::Origin() {
    return control_.FormOrigin();
}

Region ControlCanvasTarget::Clip() {
    Region clip = PaintArea(control_);
    if (g_paintClip != nullptr)
        clip.Intersect(*g_paintClip);
    return clip;
}

void ControlCanvasTarget::Changed(const TRect& imageRect) {
    if (g_paintClip != nullptr)
        return;  // painting presents everything at its end
    PresentTopLevel(control_, imageRect);
}

}  // namespace platform::ui

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() {
    SetTarget(nullptr);
}

void TControlCanvas::SetControl(TControl* control) {
    if (control == control_)
        return;
    control_ = control;
    target_ = control != nullptr ? std::make_unique<platform::ui::ControlCanvasTarget>(*control) : nullptr;
    SetTarget(target_.get());
}
