#pragma once
// A canvas over a whole window, its frame included (the platform's window device context): (0, 0) is
// the window's top-left corner. Non-client painting (WM_NCPAINT) draws through it.
#include "platform/ui/canvas.h"

class TWinControl;

namespace platform::ui {

class WindowCanvasTarget : public CanvasTarget {
  public:
    explicit WindowCanvasTarget(TWinControl& control) : control_(control) {}
    RasterImage* Image() override;
    TPoint Origin() override;
    Region Clip() override;
    void Changed(const TRect& imageRect) override;

  private:
    TWinControl& control_;
};

// The frame the window's styles ask for, drawn on a window canvas: WS_BORDER a line in the window-frame
// colour, WS_EX_CLIENTEDGE a sunken edge two pixels wide inside it.
void DrawStyleFrame(TCanvas& canvas, TRect window, DWORD style, DWORD exStyle);

}  // namespace platform::ui
