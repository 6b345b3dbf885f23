#include "platform/ui/font.h"

#include <cstdlib>

TFont::TFont() = default;

void TFont::Assign(const TPersistent& source) {
    if (auto* f = dynamic_cast<const TFont*>(&source)) {
        Assign(*f);
        return;
    }
    TPersistent::Assign(source);
}

void TFont::Assign(const TFont& source) {
    if (*this == source)
        return;
    handle_ = source.handle_;
    name_ = source.name_;
    size_ = source.size_;
    color_ = source.color_;
    style_ = source.style_;
    Changed();
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || (name == name_ && !handle_))
        return;
    handle_.reset();
    name_ = name;
    Changed();
}

void TFont::SetSize(int points) {
    if (points == size_ && !handle_)
        return;
    handle_.reset();
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
    if (style == style_ && !handle_)
        return;
    handle_.reset();
    style_ = style;
    Changed();
}

void TFont::SetHandle(HFONT handle) {
    handle_ = std::move(handle);
    Changed();
}

platform::ui::FontSpec TFont::Spec() const {
    if (!handle_)
        return {name_, std::abs(Height()), style_};
    const LOGFONT& f = *handle_;
    TFontStyles style;
    if (f.lfWeight >= FW_BOLD)
        style.Include(fsBold);
    if (f.lfItalic != 0)
        style.Include(fsItalic);
    if (f.lfUnderline != 0)
        style.Include(fsUnderline);
    if (f.lfStrikeOut != 0)
        style.Include(fsStrikeOut);
    return {f.lfFaceName.empty() ? name_ : f.lfFaceName,
            f.lfHeight != 0 ? std::abs(f.lfHeight) : std::abs(Height()), style, f.lfEscapement};
}

HFONT CreateFontIndirect(const LOGFONT& font) {
    return std::make_shared<const LOGFONT>(font);
}

bool TFont::operator==(const TFont& other) const {
    const bool sameHandle =
        handle_ == other.handle_ || (handle_ && other.handle_ && *handle_ == *other.handle_);
    return name_ == other.name_ && size_ == other.size_ && color_ == other.color_ && style_ == other.style_ &&
           sameHandle;
}

void TFont::Changed() {
    if (OnChange)
        OnChange(this);
}
