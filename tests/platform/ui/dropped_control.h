// A control that shows in a pop-up window of its own, as drop-down lists do.
#pragma once

#include "platform/ui/custom_control.h"

class Dropped : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= WS_POPUP;
    }
};
