#include "platform/ui/window_canvas.h"

#include "platform/ui/control_canvas.h"
#include "platform/ui/top_level.h"
#include "platform/ui/win_control.h"

namespace platform::ui {
namespace {

// One ring of lines: top and left in one colour, bottom and right in another.
void DrawRing(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    canvas.Brush()->SetColor(topLeft);
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.Brush()->SetColor(bottomRight);
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

TRect Inset(const TRect& r, int by) {
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

}  // namespace

RasterImage* WindowCanvasTarget::Image() {
    return TopLevelSurface(control_);
}

TPoint WindowCanvasTarget::Origin() {
    return control_.WindowArea().TopLeft();
}

Region WindowCanvasTarget::Clip() {
    Region clip = control_.VisibleArea();
    if (const Region* painting = CurrentPaintClip())
        clip.Intersect(*painting);
    return clip;
}

void WindowCanvasTarget::Changed(const TRect& imageRect) {
    if (CurrentPaintClip() == nullptr)
        PresentTopLevel(control_, imageRect);
}

void DrawStyleFrame(TCanvas& canvas, TRect window, DWORD style, DWORD exStyle) {
    if ((style & WS_BORDER) != 0) {
        DrawRing(canvas, window, clWindowFrame, clWindowFrame);
        window = Inset(window, 1);
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
        DrawRing(canvas, window, clBtnShadow, clBtnHighlight);
        DrawRing(canvas, Inset(window, 1), cl3DDkShadow, cl3DLight);
    }
}

}  // namespace platform::ui
