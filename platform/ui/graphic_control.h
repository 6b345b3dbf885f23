#pragma once
// TGraphicControl: a control without a window of its own; it paints on its parent's surface.
#include <memory>

#include "platform/ui/canvas.h"
#include "platform/ui/control.h"

class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    std::string ClassName() const override { return "TGraphicControl"; }
    void Dispatch(TMessage& Message) override;
    TCanvas* Canvas() const { return canvas_.get(); }

  protected:
    virtual void Paint() {}

  private:
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<platform::ui::CanvasTarget> target_;
};
