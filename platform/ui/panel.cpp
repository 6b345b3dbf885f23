#include "platform/ui/panel.h"

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle.Include(csAcceptsControls).Include(csOpaque);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut value) {
    if (value == bevelOuter_)
        return;
    bevelOuter_ = value;
    BevelsChanged();
}

void TPanel::SetBevelInner(TBevelCut value) {
    if (value == bevelInner_)
        return;
    bevelInner_ = value;
    BevelsChanged();
}

void TPanel::SetBevelWidth(int value) {
    if (value == bevelWidth_)
        return;
    bevelWidth_ = value;
    BevelsChanged();
}

void TPanel::SetBorderWidth(int value) {
    if (value == borderWidth_)
        return;
    borderWidth_ = value;
    BevelsChanged();
}

void TPanel::SetAlignment(TAlignment value) {
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TPanel::BevelsChanged() {
    Realign();
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    rect = {rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
}

void TPanel::DrawBevel(TRect& rect, TBevelCut cut) {
    if (cut == bvNone)
        return;
    TCanvas& canvas = *Canvas();
    TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    if (cut == bvSpace)
        topLeft = bottomRight = Color();
    for (int i = 0; i < bevelWidth_; ++i) {
        canvas.Brush()->SetColor(topLeft);
        canvas.FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1});
        canvas.FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
        canvas.Brush()->SetColor(bottomRight);
        canvas.FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        canvas.FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}

void TPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect rect = ClientRect();
    DrawBevel(rect, bevelOuter_);
    rect = {rect.Left + borderWidth_, rect.Top + borderWidth_, rect.Right - borderWidth_,
            rect.Bottom - borderWidth_};
    DrawBevel(rect, bevelInner_);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);
    std::string caption = Caption();
    if (caption.empty())
        return;
    canvas.Brush()->SetStyle(bsClear);
    TSize size = canvas.TextExtent(caption);
    int x = alignment_ == taLeftJustify ? rect.Left
            : alignment_ == taCenter    ? rect.Left + (rect.Width() - size.cx) / 2
                                        : rect.Right - size.cx;
    canvas.TextRect(rect, x, rect.Top + (rect.Height() - size.cy) / 2, caption);
}
