#include "platform/ui/graphic_control.h"

#include "platform/ui/control_canvas.h"

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner),
      canvas_(std::make_unique<TCanvas>()),
      target_(std::make_unique<platform::ui::ControlCanvasTarget>(*this)) {
    canvas_->SetTarget(target_.get());
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        canvas_->Font()->Assign(*Font());
        canvas_->Brush()->SetColor(Color());
        Paint();
        return;
    }
    TControl::Dispatch(Message);
}
