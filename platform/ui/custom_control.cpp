#include "platform/ui/custom_control.h"

#include "platform/ui/control_canvas.h"

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner),
      canvas_(std::make_unique<TCanvas>()),
      target_(std::make_unique<platform::ui::ControlCanvasTarget>(*this)) {
    canvas_->SetTarget(target_.get());
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(TCanvas& canvas) {
    TWinControl::PaintWindow(canvas);
    canvas_->Font()->Assign(*Font());
    canvas_->Brush()->SetColor(Color());
    Paint();
}
