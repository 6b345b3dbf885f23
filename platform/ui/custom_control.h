#pragma once
// TCustomControl: a windowed control that paints itself through its Canvas in Paint.
#include <memory>

#include "platform/ui/canvas.h"
#include "platform/ui/win_control.h"

class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    std::string ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() const { return canvas_.get(); }

  protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

  private:
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<platform::ui::CanvasTarget> target_;
};
