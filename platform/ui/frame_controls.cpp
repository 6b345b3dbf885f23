#include "platform/ui/frame_controls.h"

#include <algorithm>
#include <array>

#include "platform/ui/edge_drawing.h"

using platform::ui::PaintSolid;

namespace {

bool Has(UINT state, UINT flag) {
    return (state & flag) != 0;
}

// The button under a scroll arrow: raised, flat-framed when pushed or flat.
TRect ScrollButtonFace(TCanvas& canvas, const TRect& rect, UINT state) {
    TRect inside = rect;
    if (Has(state, DFCS_MONO))
        DrawEdge(&canvas, &inside, BDR_OUTER, BF_RECT | BF_MIDDLE | BF_MONO | BF_ADJUST);
    else if (Has(state, DFCS_FLAT) || Has(state, DFCS_PUSHED))
        DrawEdge(&canvas, &inside, BDR_OUTER, BF_RECT | BF_MIDDLE | BF_FLAT | BF_ADJUST);
    else
        DrawEdge(&canvas, &inside, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    return inside;
}

// A filled arrow: `depth` rows (or columns) narrowing by one pixel a side from a base of
// 2 * depth - 1, pointing the way part says.
void DrawArrow(TCanvas& canvas, const TRect& rect, UINT part, int shift, TColor color) {
    const bool vertical = part == DFCS_SCROLLUP || part == DFCS_SCROLLDOWN;
    const int size = std::min(rect.Width(), rect.Height());
    const int depth = std::max(1, (size + 3) / 4);
    const int cx = rect.Left + rect.Width() / 2 + shift;
    const int cy = rect.Top + rect.Height() / 2 + shift;
    for (int i = 0; i < depth; ++i) {
        // i counts from the arrow's tip.
        const int half = i;
        if (vertical) {
            const int top = cy - depth / 2;
            const int y = part == DFCS_SCROLLUP ? top + i : top + depth - 1 - i;
            PaintSolid(canvas, {cx - half, y, cx + half + 1, y + 1}, color);
        } else {
            const int left = cx - depth / 2;
            const int x = part == DFCS_SCROLLLEFT ? left + i : left + depth - 1 - i;
            PaintSolid(canvas, {x, cy - half, x + 1, cy + half + 1}, color);
        }
    }
}

bool DrawScrollPart(TCanvas& canvas, const TRect& rect, UINT state) {
    UINT part = state & 0xFF;
    if (part == DFCS_SCROLLCOMBOBOX)
        part = DFCS_SCROLLDOWN;
    if (part > DFCS_SCROLLRIGHT)
        return false;
    const TRect inside = ScrollButtonFace(canvas, rect, state);
    const int shift = Has(state, DFCS_PUSHED) ? 1 : 0;
    if (Has(state, DFCS_INACTIVE)) {
        // Engraved: a highlight copy one pixel right and down under the shadow one.
        DrawArrow(canvas, OffsetRect(inside, 1, 1), part, shift, clBtnHighlight);
        DrawArrow(canvas, inside, part, shift, clBtnShadow);
    } else {
        DrawArrow(canvas, inside, part, shift, clBtnText);
    }
    return true;
}

// The check mark of a 13-pixel box: seven columns three pixels high, tops as listed.
constexpr std::array<int, 7> kCheckColumnTops{2, 3, 4, 3, 2, 1, 0};

void DrawCheckMark(TCanvas& canvas, const TRect& inside, TColor color) {
    // Scaled up by whole pixels for larger boxes, centred in what lies inside the edge.
    const int scale = std::max(1, std::min(inside.Width(), inside.Height()) / 9);
    const int left = inside.Left + (inside.Width() - 7 * scale) / 2;
    const int top = inside.Top + (inside.Height() - 7 * scale) / 2;
    for (std::size_t i = 0; i < kCheckColumnTops.size(); ++i) {
        const int x = left + static_cast<int>(i) * scale;
        const int y = top + kCheckColumnTops[i] * scale;
        PaintSolid(canvas, {x, y, x + scale, y + 3 * scale}, color);
    }
}

// A dither of face and highlight: the inside of a grayed check box.
void PaintGrayed(TCanvas& canvas, const TRect& inside) {
    const std::uint32_t face = ColorToArgb(clBtnFace);
    const std::uint32_t light = ColorToArgb(clBtnHighlight);
    canvas.ModifyPixels(
        inside, [face, light](int x, int y, std::uint32_t) { return ((x + y) & 1) == 0 ? face : light; });
}

void DrawCheckBox(TCanvas& canvas, const TRect& rect, UINT state) {
    TRect inside = rect;
    if (Has(state, DFCS_MONO))
        DrawEdge(&canvas, &inside, BDR_OUTER, BF_RECT | BF_MONO | BF_ADJUST);
    else if (Has(state, DFCS_FLAT))
        DrawEdge(&canvas, &inside, BDR_OUTER, BF_RECT | BF_FLAT | BF_ADJUST);
    else
        DrawEdge(&canvas, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool grayed = Has(state, DFCS_CHECKED) && Has(state, DFCS_BUTTON3STATE);
    if (!Has(state, DFCS_TRANSPARENT)) {
        if (grayed)
            PaintGrayed(canvas, inside);
        else
            PaintSolid(canvas, inside,
                       Has(state, DFCS_PUSHED) || Has(state, DFCS_INACTIVE) ? clBtnFace : clWindow);
    }
    if (!Has(state, DFCS_CHECKED))
        return;
    DrawCheckMark(canvas, inside, grayed || Has(state, DFCS_INACTIVE) ? clBtnShadow : clWindowText);
}

void DrawPushButton(TCanvas& canvas, TRect* rect, UINT state) {
    TRect inside = *rect;
    const bool down = Has(state, DFCS_PUSHED) || Has(state, DFCS_CHECKED);
    if (Has(state, DFCS_MONO))
        DrawEdge(&canvas, &inside, BDR_OUTER, BF_RECT | BF_MIDDLE | BF_MONO | BF_ADJUST);
    else if (Has(state, DFCS_FLAT))
        DrawEdge(&canvas, &inside, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | BF_ADJUST);
    else
        DrawEdge(&canvas, &inside, down ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST);
    if (Has(state, DFCS_ADJUSTRECT))
        *rect = inside;
}

}  // namespace

bool DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state) {
    if (dc == nullptr || rect == nullptr)
        return false;
    switch (type) {
        case DFC_SCROLL:
            return DrawScrollPart(*dc, *rect, state);
        case DFC_BUTTON:
            if ((state & 0xFF) == DFCS_BUTTONPUSH) {
                DrawPushButton(*dc, rect, state);
                return true;
            }
            if ((state & 0xF7) == DFCS_BUTTONCHECK) {
                DrawCheckBox(*dc, *rect, state);
                return true;
            }
            return false;
        default:
            return false;
    }
}
