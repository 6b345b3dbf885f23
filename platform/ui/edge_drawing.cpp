#include "platform/ui/edge_drawing.h"

namespace {

struct RingColours {
    TColor TopLeft;
    TColor BottomRight;
};

RingColours OuterColours(UINT edge, UINT flags) {
    if ((flags & BF_MONO) != 0)
        return {clWindowFrame, clWindowFrame};
    if ((flags & BF_FLAT) != 0)
        return {clBtnShadow, clBtnShadow};
    if ((edge & BDR_RAISEDOUTER) != 0)
        return {(flags & BF_SOFT) != 0 ? clBtnHighlight : cl3DLight, cl3DDkShadow};
    return {clBtnShadow, clBtnHighlight};
}

RingColours InnerColours(UINT edge, UINT flags) {
    if ((flags & BF_MONO) != 0)
        return {clWindow, clWindow};
    if ((flags & BF_FLAT) != 0)
        return {clBtnFace, clBtnFace};
    if ((edge & BDR_RAISEDINNER) != 0)
        return {(flags & BF_SOFT) != 0 ? cl3DLight : clBtnHighlight, clBtnShadow};
    return {cl3DDkShadow, cl3DLight};
}

// One ring of one pixel on the chosen sides; the bottom and right sides cover the corners they
// share with the top and left ones. The ring's inside is returned.
TRect DrawRing(TCanvas& canvas, const TRect& r, RingColours colours, UINT sides) {
    using platform::ui::PaintSolid;
    if ((sides & BF_LEFT) != 0)
        PaintSolid(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, colours.TopLeft);
    if ((sides & BF_TOP) != 0)
        PaintSolid(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, colours.TopLeft);
    if ((sides & BF_RIGHT) != 0)
        PaintSolid(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, colours.BottomRight);
    if ((sides & BF_BOTTOM) != 0)
        PaintSolid(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, colours.BottomRight);
    return {r.Left + ((sides & BF_LEFT) != 0), r.Top + ((sides & BF_TOP) != 0),
            r.Right - ((sides & BF_RIGHT) != 0), r.Bottom - ((sides & BF_BOTTOM) != 0)};
}

}  // namespace

namespace platform::ui {

void PaintSolid(TCanvas& canvas, const TRect& rect, TColor color) {
    const std::uint32_t argb = ColorToArgb(color);
    canvas.ModifyPixels(rect, [argb](std::uint32_t) { return argb; });
}

}  // namespace platform::ui

bool DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags) {
    if (dc == nullptr || rect == nullptr || (edge & (BDR_OUTER | BDR_INNER)) == 0 ||
        (flags & BF_DIAGONAL) != 0)
        return false;
    const UINT sides = flags & BF_RECT;
    TRect inside = *rect;
    if ((edge & BDR_OUTER) != 0)
        inside = DrawRing(*dc, inside, OuterColours(edge, flags), sides);
    if ((edge & BDR_INNER) != 0)
        inside = DrawRing(*dc, inside, InnerColours(edge, flags), sides);
    if ((flags & BF_MIDDLE) != 0)
        platform::ui::PaintSolid(*dc, inside, (flags & BF_MONO) != 0 ? clWindow : clBtnFace);
    if ((flags & BF_ADJUST) != 0)
        *rect = inside;
    return true;
}

bool DrawFocusRect(HDC dc, const TRect* rect) {
    if (dc == nullptr || rect == nullptr || rect->IsEmpty())
        return false;
    const TRect& r = *rect;
    auto invertDots = [dc](const TRect& line) {
        dc->ModifyPixels(
            line, [](int x, int y, std::uint32_t p) { return ((x + y) & 1) == 0 ? p ^ 0x00FFFFFFu : p; });
    };
    invertDots({r.Left, r.Top, r.Right, r.Top + 1});
    if (r.Height() > 1)
        invertDots({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    invertDots({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    if (r.Width() > 1)
        invertDots({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
    return true;
}
