#pragma once
// A canvas for measuring text before any window exists (the platform's screen device context): it
// has the system's default font and draws nowhere.
#include "platform/ui/canvas.h"

class TScreenCanvas : public TCanvas {
  public:
    std::string ClassName() const override { return "TScreenCanvas"; }
};
