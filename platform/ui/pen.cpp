#include "platform/ui/pen.h"

void TPen::Assign(const TPersistent& source) {
    if (auto* p = dynamic_cast<const TPen*>(&source)) {
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        mode_ = p->mode_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == width_)
        return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == mode_)
        return;
    mode_ = mode;
    Changed();
}

void TPen::Changed() {
    if (OnChange)
        OnChange(this);
}
