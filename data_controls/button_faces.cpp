#include "data_controls/button_faces.h"

#include <algorithm>

#include "platform/ui/colors.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/frame_controls.h"
#include "platform/ui/themes.h"

namespace {

TRect Shrunk(const TRect& r, int by) {
    return Rect(r.Left + by, r.Top + by, r.Right - by, r.Bottom - by);
}

bool Themed() {
    return ThemeServices().ThemesEnabled();
}

int ThemedState(bool enabled, bool pressed, bool hot) {
    if (!enabled)
        return TS_DISABLED;
    if (pressed)
        return TS_PRESSED;
    return hot ? TS_HOT : TS_NORMAL;
}

UINT FrameFlags(bool enabled, bool pressed, bool flat) {
    return (pressed ? DFCS_PUSHED : 0) | (flat ? DFCS_FLAT : 0) | (enabled ? 0 : DFCS_INACTIVE);
}

// The frame of an ellipsis, plus or minus button; gives the area left for the mark.
TRect DrawMarkButtonFrame(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat,
                          bool fillInner) {
    if (Themed()) {
        TThemedElementDetails details{flat ? teToolBar : teButton, flat ? TP_BUTTON : BP_PUSHBUTTON,
                                      ThemedState(enabled, pressed, hot)};
        ThemeServices().DrawElement(dc, details, rect);
        return Shrunk(rect, flat ? 1 : 2);
    }
    if (flat) {
        platform::ui::PaintSolid(*dc, rect, clBtnFace);
        return Shrunk(rect, 1);
    }
    TRect edge = rect;
    DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
    TRect inner = Shrunk(rect, 2);
    if (fillInner)
        platform::ui::PaintSolid(*dc, inner, clBtnFace);
    return inner;
}

// Enabled marks are in the text colour; disabled ones are embossed: a highlight copy one pixel
// right and down, the shadow over it.
template <typename Squares>
void PaintMark(HDC dc, bool enabled, const Squares& squares) {
    if (enabled) {
        for (const TRect& r : squares) platform::ui::PaintSolid(*dc, r, clBtnText);
        return;
    }
    for (const TRect& r : squares) platform::ui::PaintSolid(*dc, OffsetRect(r, 1, 1), clBtnHighlight);
    for (const TRect& r : squares) platform::ui::PaintSolid(*dc, r, clBtnShadow);
}

}  // namespace

void DrawDropDownGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat) {
    if (Themed()) {
        ThemeServices().DrawElement(dc, {teComboBox, CP_DROPDOWNBUTTON, ThemedState(enabled, pressed, hot)},
                                    rect);
        return;
    }
    TRect r = rect;
    DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | FrameFlags(enabled, pressed, flat));
}

void DrawUpDownGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat, int half) {
    if (Themed()) {
        ThemeServices().DrawElement(
            dc, {teSpin, half == 0 ? SPNP_UP : SPNP_DOWN, ThemedState(enabled, pressed, hot)}, rect);
        return;
    }
    TRect r = rect;
    DrawFrameControl(dc, &r, DFC_SCROLL,
                     (half == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | FrameFlags(enabled, pressed, flat));
}

void DrawEllipsisGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat) {
    const TRect inner = DrawMarkButtonFrame(dc, rect, enabled, pressed, hot, flat, false);
    const int gap = inner.Width() < 12 ? 1 : 2;
    const int dot = inner.Width() > 7 ? 2 : 1;
    const int shift = pressed ? 1 : 0;
    const int x = inner.Left + inner.Width() / 2 + shift - dot / 2;
    const int y = inner.Top + inner.Height() / 2 + shift - dot / 2;
    const TRect dots[] = {Bounds(x - gap - dot, y, dot, dot), Bounds(x, y, dot, dot),
                          Bounds(x + gap + dot, y, dot, dot)};
    PaintMark(dc, enabled, dots);
}

void DrawPlusMinusGlyph(HDC dc, const TRect& rect, bool enabled, bool pressed, bool hot, bool flat,
                        bool isPlus) {
    const TRect inner = DrawMarkButtonFrame(dc, rect, enabled, pressed, hot, flat, true);
    const int m = std::min(inner.Width(), inner.Height());
    int length = std::max(m * 4 / 7, 1);
    const int thickness = std::max(length / 3, 1);
    // The bar takes the parity of the button so it stands in the middle.
    if (length % 2 != m % 2)
        length += flat ? -1 : 1;
    if (isPlus && length % 2 != thickness % 2)
        length += m < 12 ? 1 : -1;
    const int shift = pressed ? 1 : 0;
    const int x = inner.Left + (inner.Width() - length) / 2 + shift;
    const int y = inner.Top + (inner.Height() - thickness) / 2 + shift;
    const int k = length / 2 - thickness / 2;
    std::vector<TRect> bars{Bounds(x, y, length, thickness)};
    if (isPlus)
        bars.push_back(Bounds(x + k, y - k, thickness, length));
    PaintMark(dc, enabled, bars);
}

void DrawButtonFace(HDC dc, TDrawButtonStyleEh style, TRect rect, int half, bool pressed, bool hot, bool flat,
                    bool enabled) {
    const bool classicFlat = flat && !Themed();
    const bool clipped = classicFlat && hot;
    int saved = 0;
    if (clipped) {
        saved = SaveDC(dc);
        TPoint corners[2] = {{rect.Left + 1, rect.Top + 1}, {rect.Right - 1, rect.Bottom - 1}};
        LPtoDP(dc, corners, 2);
        IntersectClipRect(dc, corners[0].X, corners[0].Y, corners[1].X, corners[1].Y);
    }
    // A classic flat face is drawn larger, so its 3-D rim falls outside the button.
    if (classicFlat)
        rect = Shrunk(rect, hot ? -1 : -2);
    switch (style) {
        case dbsDropDownEh:
            DrawDropDownGlyph(dc, rect, enabled, pressed, hot, flat);
            break;
        case dbsEllipsisEh:
            DrawEllipsisGlyph(dc, rect, enabled, pressed, hot, flat);
            break;
        case dbsUpDownEh:
            DrawUpDownGlyph(dc, rect, enabled, pressed, hot, flat, half);
            break;
        case dbsPlusEh:
            DrawPlusMinusGlyph(dc, rect, enabled, pressed, hot, flat, true);
            break;
        case dbsMinusEh:
            DrawPlusMinusGlyph(dc, rect, enabled, pressed, hot, flat, false);
            break;
        default:
            break;
    }
    if (flat)
        rect = Shrunk(rect, hot ? 1 : 2);
    if (clipped) {
        RestoreDC(dc, saved);
        DrawEdge(dc, &rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
}

void DrawCheckGlyph(HDC dc, TRect rect, int checkState, bool hot, bool pressed, bool flat, bool enabled) {
    // The glyph is square, centred on the shorter side.
    const int side = std::min(rect.Width(), rect.Height());
    rect = Bounds(rect.Left + (rect.Width() - side) / 2, rect.Top + (rect.Height() - side) / 2, side, side);
    if (Themed()) {
        const int base = checkState == 1   ? CBS_CHECKEDNORMAL
                         : checkState == 2 ? CBS_MIXEDNORMAL
                                           : CBS_UNCHECKEDNORMAL;
        ThemeServices().DrawElement(dc, {teButton, BP_CHECKBOX, base + (enabled ? 0 : 3)}, rect);
    } else {
        UINT state = DFCS_BUTTONCHECK | (checkState == 1 ? DFCS_CHECKED : 0) |
                     (checkState == 2 ? DFCS_CHECKED | DFCS_BUTTON3STATE : 0) |
                     (enabled ? 0 : DFCS_INACTIVE) | (pressed ? DFCS_PUSHED : 0);
        if (flat) {
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
            TRect larger = Shrunk(rect, -1);
            DrawFrameControl(dc, &larger, DFC_BUTTON, state);
            RestoreDC(dc, saved);
        } else {
            TRect r = rect;
            DrawFrameControl(dc, &r, DFC_BUTTON, state);
        }
    }
    if (flat) {
        dc->Brush()->SetColor(hot ? clBtnFace : clBtnShadow);
        dc->FrameRect(rect);
    }
}
