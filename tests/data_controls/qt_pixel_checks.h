#pragma once
// Pixel checks for controls grabbed from the Qt host: colour counts in a rectangle (colour only,
// alpha aside) and the check-box face the edit-button painter draws for a state.
#include "data_controls/db_check_box.h"
#include "data_controls/edit_button_metrics.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/qt/qt_host.h"

inline int PixelsNotOf(const platform::ui::RasterImage& shown, const TRect& rect, TColor color) {
    int n = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            n += (shown.Pixel(x, y) & 0xFFFFFF) != (ColorToArgb(color) & 0xFFFFFF);
    return n;
}

inline int PixelsOf(const platform::ui::RasterImage& shown, const TRect& rect, TColor color) {
    return rect.Width() * rect.Height() - PixelsNotOf(shown, rect, color);
}

// The face the edit-button painter gives a box that is neither hot nor pressed.
inline platform::ui::RasterImage ExpectedFace(TSize size, TColor background, TCheckBoxState state,
                                              bool flat) {
    TBitmap bitmap;
    bitmap.SetSize(size.cx, size.cy);
    bitmap.Canvas()->Brush()->SetColor(background);
    bitmap.Canvas()->FillRect(Rect(0, 0, size.cx, size.cy));
    PaintEditButton(bitmap.Canvas(), Rect(0, 0, size.cx, size.cy), background, state, true, false, flat, 0,
                    dbsCheckBoxEh);
    return bitmap.Pixels();
}

// How many pixels of the rectangle `at` of the shown image differ from the expected image.
inline int DifferingPixels(const platform::ui::RasterImage& shown, const TRect& at,
                           const platform::ui::RasterImage& expected) {
    int n = 0;
    for (int y = 0; y < at.Height(); ++y)
        for (int x = 0; x < at.Width(); ++x)
            n += (shown.Pixel(at.Left + x, at.Top + y) & 0xFFFFFF) != (expected.Pixel(x, y) & 0xFFFFFF);
    return n;
}
