#include "data_controls/edit_button_metrics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/ui/screen_canvas.h"
#include "platform/ui/system_metrics.h"

namespace {

// Halves go to the even neighbour.
int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

int ComputeFlatButtonWidth() {
    TScreenCanvas canvas;
    int width = RoundHalfEven(canvas.TextHeight("Wg") * 2 / 3.0);
    if (width % 2 == 0)
        ++width;
    return std::min(GetSystemMetrics(SM_CXVSCROLL), width);
}

int EditButtonHeightForWidth(int width, bool flat) {
    return flat ? RoundHalfEven(width * 3 / 2.0) : width;
}

TSize MeasureCheckGlyph() {
    const TSize picture = SystemBitmapSize(OBM_CHECKBOXES);
    return TSize{picture.cx / 4, picture.cy / 3};
}

TRect CheckBoxGlyphRect(const TRect& cell, TAlignment alignment, TTextLayout layout, TSize glyph) {
    const int w = std::min(glyph.cx, cell.Width()), h = std::min(glyph.cy, cell.Height());
    TRect r = cell;
    if (cell.Width() > w) {
        if (alignment == taRightJustify)
            r.Left = cell.Right - w;
        else if (alignment == taCenter)
            r.Left = cell.Left + cell.Width() / 2 - w / 2;
    }
    r.Right = r.Left + w;
    if (cell.Height() > h) {
        if (layout == tlCenter)
            r.Top = cell.Top + cell.Height() / 2 - h / 2;
        else if (layout == tlBottom)
            r.Top = cell.Bottom - h;
    }
    r.Bottom = r.Top + h;
    return r;
}

bool IsSecondClick(TPoint previous, TPoint current, long long elapsedMs) {
    if (static_cast<long long>(GetDoubleClickTime()) < elapsedMs)
        return false;
    return std::abs(current.X - previous.X) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
           std::abs(current.Y - previous.Y) <= GetSystemMetrics(SM_CYDOUBLECLK);
}
