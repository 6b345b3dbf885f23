#include "platform/ui/brush.h"

void TBrush::Assign(const TPersistent& source) {
    if (auto* b = dynamic_cast<const TBrush*>(&source)) {
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ != bsClear)
        return;
    color_ = color;
    // Giving a clear brush a colour makes it solid again, as on the platform.
    if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TBrush::Changed() {
    if (OnChange)
        OnChange(this);
}
