#include "platform/ui/design_scaling.h"

#include "platform/rtl/mul_div.h"
#include "platform/ui/font.h"
#include "platform/ui/screen.h"
#include "platform/ui/win_control.h"

namespace {

int ScreenResolution() {
    return Screen != nullptr ? Screen->PixelsPerInch() : ScreenPixelsPerInch;
}

void ScaleFont(TControl& control, int designed) {
    TFont& font = *control.Font();
    font.SetHeight(MulDiv(font.Height(), ScreenResolution(), designed));
}

// Rectangles before fonts, and a control's children before its font: a control that sizes itself to
// its text refits when its font changes, and a scaled rectangle set after that would shrink it again.
void ScaleChildren(TWinControl& parent, int designed) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl& child = *parent.Controls(i);
        const TRect r = child.BoundsRect();
        child.SetBounds(ScaleFromDesign(r.Left, designed), ScaleFromDesign(r.Top, designed),
                        ScaleFromDesign(r.Width(), designed), ScaleFromDesign(r.Height(), designed));
        if (auto* windowed = dynamic_cast<TWinControl*>(&child))
            ScaleChildren(*windowed, designed);
        if (!child.ParentFont())
            ScaleFont(child, designed);
    }
}

}  // namespace

int ScaleFromDesign(int value, int designedPixelsPerInch) {
    return MulDiv(value, ScreenResolution(), designedPixelsPerInch);
}

void ScaleControlsFromDesign(TWinControl& root, int designedPixelsPerInch) {
    if (designedPixelsPerInch <= 0 || designedPixelsPerInch == ScreenResolution())
        return;
    // The root first, so that anchored controls do not follow its change of size afterwards.
    root.SetClientWidth(ScaleFromDesign(root.ClientWidth(), designedPixelsPerInch));
    root.SetClientHeight(ScaleFromDesign(root.ClientHeight(), designedPixelsPerInch));
    ScaleChildren(root, designedPixelsPerInch);
    ScaleFont(root, designedPixelsPerInch);
}
