// How the check box paints itself: the box as an edit-button glyph, the caption beside it.
#include "data_controls/button_bitmap_cache.h"
#include "data_controls/db_check_box.h"
#include "data_controls/edit_button_metrics.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"

namespace {

// The gap between the box and its caption.
constexpr int kCaptionGap = 5;

}  // namespace

void TCustomDBCheckBoxEh::Paint() {
    if (ControlState.Contains(csPaintCopy)) {
        // A copy painted in a grid's row shows that row's data, never the control's own look.
        DrawControl(FieldState(), false, false, false);
        return;
    }
    const bool hot = mouseAboveControl_;
    const bool pressed = (hot && ControlState.Contains(csLButtonDown)) || spacePressed_;
    DrawControl(state_, Focused(), pressed, hot);
}

void TCustomDBCheckBoxEh::DrawControl(TCheckBoxState state, bool focused, bool pressed, bool hot) {
    Canvas()->Brush()->SetColor(Color());
    const bool rightToLeft = UseRightToLeftAlignment();
    const bool boxAtRight =
        (!rightToLeft && alignment_ == taLeftJustify) || (rightToLeft && alignment_ == taRightJustify);
    TRect box;
    TRect captionArea;
    if (boxAtRight) {
        box = CheckBoxGlyphRect(ClientRect(), taRightJustify, tlCenter);
        captionArea = Rect(0, 0, box.Left - kCaptionGap, Height());
    } else {
        box = CheckBoxGlyphRect(ClientRect(), taLeftJustify, tlCenter);
        captionArea = Rect(box.Right + kCaptionGap, 0, Width(), Height());
    }
    DrawCaption(captionArea, focused, pressed, hot);
    DrawCheckGlyphBox(box, state, pressed, hot, focused);
}

void TCustomDBCheckBoxEh::DrawCaption(TRect rect, bool focused, bool /*pressed*/, bool /*hot*/) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsClear);
    const std::string caption = Caption();
    TRect extent = Rect(0, 0, 0, 0);
    DrawText(canvas, caption, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    const int top = Height() / 2 - extent.Height() / 2;
    TRect textRect = Rect(rect.Left, top, rect.Left + extent.Width(), top + extent.Height());
    if (Enabled()) {
        DrawText(canvas, caption, -1, &textRect, DT_SINGLELINE);
    } else {
        // Engraved: a light copy one pixel down and right, the grey text over it.
        TRect shadow = OffsetRect(textRect, 1, 1);
        canvas->Font()->SetColor(clHighlightText);
        DrawText(canvas, caption, -1, &shadow, DT_SINGLELINE);
        canvas->Font()->SetColor(clGrayText);
        DrawText(canvas, caption, -1, &textRect, DT_SINGLELINE);
    }
    if (!focused)
        return;
    TRect focusRect = Rect(textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 2);
    focusRect = IntersectRect(focusRect, ClientRect());
    DrawFocusRect(canvas, &focusRect);
}

void TCustomDBCheckBoxEh::DrawCheckGlyphBox(TRect rect, TCheckBoxState state, bool pressed, bool hot,
                                            bool focused) {
    PaintEditButton(Canvas(), rect, Color(), static_cast<int>(state), Enabled(),
                    hot || focused || alwaysShowBorder_, flat_, pressed ? 1 : 0, dbsCheckBoxEh);
}
