#include "platform/ui/edit_mask.h"

#include "platform/rtl/datetime.h"
#include "platform/rtl/strings.h"

namespace {

bool IsDigit(char32_t ch) {
    return ch >= U'0' && ch <= U'9';
}

// A letter is a character with two cases (Latin and Cyrillic alike).
bool IsLetter(char32_t ch) {
    return UpperCaseChar(ch) != LowerCaseChar(ch);
}

bool IsMaskCode(char32_t ch) {
    return std::u32string_view(U"LlAaCc09#").find(ch) != std::u32string_view::npos;
}

bool CodeAccepts(char32_t code, char32_t ch) {
    switch (code) {
        case U'L':
        case U'l':
            return IsLetter(ch);
        case U'A':
        case U'a':
            return IsLetter(ch) || IsDigit(ch);
        case U'C':
        case U'c':
            return ch >= 32 && ch != 127;
        case U'0':
        case U'9':
            return IsDigit(ch);
        case U'#':
            return IsDigit(ch) || ch == U'+' || ch == U'-';
        default:
            return false;
    }
}

// The body ends at the first ';' that no '\' escapes.
std::size_t BodyEnd(std::u32string_view mask) {
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == U'\\')
            ++i;
        else if (mask[i] == U';')
            return i;
    }
    return mask.size();
}

}  // namespace

TEditMask::TEditMask(std::string_view mask)
    : TEditMask(mask, FormatSettings().DateSeparator, FormatSettings().TimeSeparator) {}

TEditMask::TEditMask(std::string_view mask, char dateSeparator, char timeSeparator) {
    std::u32string text = Utf8ToUtf32(mask);
    std::size_t end = BodyEnd(text);
    ParseBody(std::u32string_view(text).substr(0, end), dateSeparator, timeSeparator);
    if (end < text.size())
        ParseOptions(std::u32string_view(text).substr(end + 1));
}

void TEditMask::ParseBody(std::u32string_view body, char dateSeparator, char timeSeparator) {
    Case casing = Case::AsTyped;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char32_t ch = body[i];
        if (ch == U'\\') {
            if (++i < body.size())
                slots_.push_back({true, body[i], casing});
        } else if (ch == U'!') {
            alignRight_ = true;
        } else if (ch == U'<' && i + 1 < body.size() && body[i + 1] == U'>') {
            casing = Case::AsTyped;
            ++i;
        } else if (ch == U'<' || ch == U'>') {
            casing = ch == U'<' ? Case::Lower : Case::Upper;
        } else if (IsMaskCode(ch)) {
            slots_.push_back({false, ch, casing});
        } else {
            char32_t literal = ch == U':'   ? static_cast<unsigned char>(timeSeparator)
                               : ch == U'/' ? static_cast<unsigned char>(dateSeparator)
                               : ch == U'_' ? U' '
                                            : ch;
            slots_.push_back({true, literal, casing});
        }
    }
}

void TEditMask::ParseOptions(std::u32string_view options) {
    std::size_t split = options.find(U';');
    std::u32string_view save = options.substr(0, split);
    saveLiterals_ = save.empty() || save[0] != U'0';
    if (split == std::u32string_view::npos || split + 1 >= options.size())
        return;
    // A blank that could be typed or a control code would be taken for input; keep the default.
    char32_t blank = options[split + 1];
    if (blank >= 32 && blank != 127)
        blank_ = blank;
}

bool TEditMask::IsLiteral(int pos) const {
    return pos >= 0 && pos < Length() && slots_[static_cast<std::size_t>(pos)].Literal;
}

bool TEditMask::IsRequired(int pos) const {
    if (pos < 0 || pos >= Length() || IsLiteral(pos))
        return false;
    char32_t code = slots_[static_cast<std::size_t>(pos)].Char;
    return code == U'L' || code == U'A' || code == U'C' || code == U'0';
}

char32_t TEditMask::LiteralAt(int pos) const {
    return IsLiteral(pos) ? slots_[static_cast<std::size_t>(pos)].Char : 0;
}

char32_t TEditMask::Accept(int pos, char32_t ch) const {
    if (pos < 0 || pos >= Length() || IsLiteral(pos))
        return 0;
    const Slot& slot = slots_[static_cast<std::size_t>(pos)];
    if (slot.Casing == Case::Upper)
        ch = UpperCaseChar(ch);
    else if (slot.Casing == Case::Lower)
        ch = LowerCaseChar(ch);
    return CodeAccepts(slot.Char, ch) ? ch : 0;
}

int TEditMask::NextInput(int pos) const {
    for (int i = std::max(pos, 0); i < Length(); ++i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

int TEditMask::PreviousInput(int pos) const {
    for (int i = std::min(pos, Length() - 1); i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

int TEditMask::InputCount() const {
    int count = 0;
    for (const Slot& slot : slots_) count += slot.Literal ? 0 : 1;
    return count;
}

std::u32string TEditMask::BlankEditText() const {
    std::u32string text;
    for (const Slot& slot : slots_) text += slot.Literal ? slot.Char : blank_;
    return text;
}

std::u32string TEditMask::Normalized(std::u32string_view editText) const {
    std::u32string text = BlankEditText();
    for (int i = 0; i < Length() && i < static_cast<int>(editText.size()); ++i) {
        char32_t ch = editText[static_cast<std::size_t>(i)];
        if (!IsLiteral(i) && ch != blank_ && Accept(i, ch) != 0)
            text[static_cast<std::size_t>(i)] = Accept(i, ch);
    }
    return text;
}

std::u32string TEditMask::EditTextOf(std::u32string_view text) const {
    // A text with literals stands position for position; one without fills the input positions.
    int wanted = saveLiterals_ ? Length() : InputCount();
    std::u32string source(text);
    if (alignRight_ && static_cast<int>(source.size()) < wanted)
        source.insert(0, static_cast<std::size_t>(wanted - static_cast<int>(source.size())), U' ');
    std::u32string result = BlankEditText();
    std::size_t next = 0;
    for (int i = 0; i < Length() && next < source.size(); ++i) {
        if (IsLiteral(i)) {
            if (saveLiterals_)
                ++next;
            continue;
        }
        // A space stands for a blank, as TextOf gives it.
        char32_t ch = source[next++];
        char32_t accepted = ch == U' ' ? 0 : Accept(i, ch);
        if (accepted != 0)
            result[static_cast<std::size_t>(i)] = accepted;
    }
    return result;
}

std::u32string TEditMask::TextOf(std::u32string_view editText) const {
    std::u32string norm = Normalized(editText);
    std::u32string text;
    for (int i = 0; i < Length(); ++i) {
        char32_t ch = norm[static_cast<std::size_t>(i)];
        if (IsLiteral(i)) {
            if (saveLiterals_)
                text += ch;
            continue;
        }
        text += ch == blank_ ? U' ' : ch;
    }
    if (saveLiterals_)
        return text;
    if (alignRight_)
        return text.substr(std::min(text.find_first_not_of(U' '), text.size()));
    return text.substr(0, text.find_last_not_of(U' ') + 1);
}

int TEditMask::FirstMissing(std::u32string_view editText) const {
    std::u32string norm = Normalized(editText);
    for (int i = 0; i < Length(); ++i)
        if (IsRequired(i) && norm[static_cast<std::size_t>(i)] == blank_)
            return i;
    return -1;
}

std::string FormatMaskText(std::string_view editMask, std::string_view value) {
    TEditMask mask(editMask);
    if (mask.Empty())
        return std::string(value);
    std::u32string edit = mask.EditTextOf(Utf8ToUtf32(value));
    for (int i = 0; i < mask.Length(); ++i)
        if (!mask.IsLiteral(i) && edit[static_cast<std::size_t>(i)] == mask.Blank())
            edit[static_cast<std::size_t>(i)] = U' ';
    return Utf32ToUtf8(edit);
}
