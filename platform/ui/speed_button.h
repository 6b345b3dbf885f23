#pragma once
// TSpeedButton: a button without a window that never takes the focus; Flat ones show nothing but
// their caption until pressed. A press released over the button fires OnClick.
#include "platform/ui/graphic_control.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
  public:
    explicit TSpeedButton(TComponent* AOwner);
    std::string ClassName() const override { return "TSpeedButton"; }

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TButtonState State() const { return state_; }
    void Click() override;
    // An accelerator in the caption clicks the button.
    void Dispatch(TMessage& Message) override;

  protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

  private:
    bool flat_ = false;
    bool dragging_ = false;
    TButtonState state_ = bsUp;
};
