#include "platform/ui/font.h"

#include <cstdlib>

TFont::TFont() = default;

void TFont::Assign(const TPersistent& source) {
    if (auto* f = dynamic_cast<const TFont*>(&source)) {
        if (*this == *f)
            return;
        name_ = f->name_;
        size_ = f->size_;
        color_ = f->color_;
        style_ = f->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetSize(int points) {
    if (points == size_)
        return;
    size_ = points;
    Changed();
}

int TFont::Height() const {
    return -MulDiv(size_, ScreenPixelsPerInch, 72);
}

void TFont::SetHeight(int height) {
    SetSize(MulDiv(std::abs(height), 72, ScreenPixelsPerInch));
}

void TFont::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

platform::ui::FontSpec TFont::Spec() const {
    return {name_, std::abs(Height()), style_};
}

bool TFont::operator==(const TFont& other) const {
    return name_ == other.name_ && size_ == other.size_ && color_ == other.color_ && style_ == other.style_;
}

void TFont::Changed() {
    if (OnChange)
        OnChange(this);
}
