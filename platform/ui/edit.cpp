#include "platform/ui/edit.h"

#include <algorithm>

#include "platform/rtl/strings.h"
#include "platform/ui/virtual_keys.h"

TEdit::TEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    ControlStyle.Exclude(csClickEvents);
}

int TEdit::Length() const {
    return static_cast<int>(Utf8ToUtf32(Text()).size());
}

void TEdit::SetSelStart(int value) {
    selStart_ = std::clamp(value, 0, Length());
    selLength_ = 0;
    Invalidate();
}

void TEdit::SetSelLength(int value) {
    selLength_ = std::clamp(value, 0, Length() - selStart_);
    Invalidate();
}

void TEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = Length();
    Invalidate();
}

void TEdit::TextChanged() {
    // Text set from outside puts the caret at the start, as the platform's edit does.
    if (!editing_) {
        selStart_ = 0;
        selLength_ = 0;
    }
    Change();
}

void TEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TEdit::DoEnter() {
    if (AutoSelect)
        SelectAll();
    TCustomControl::DoEnter();
}

void TEdit::Replace(const std::u32string& text, int caret) {
    editing_ = true;
    try {
        selStart_ = caret;
        selLength_ = 0;
        SetText(Utf32ToUtf8(text));
    } catch (...) {
        editing_ = false;
        throw;
    }
    editing_ = false;
    Invalidate();
}

namespace {

// A typed code as text: a character, a stray byte (kept as the platform's text routines keep one),
// or, for codes that are neither (surrogates, values past U+10FFFF), the replacement character.
std::string TypedText(char32_t ch) {
    bool strayByte = ch >= 0xDC80 && ch <= 0xDCFF;
    if (!strayByte && ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF))
        ch = 0xFFFD;
    return Utf32ToUtf8(std::u32string(1, ch));
}

}  // namespace

void TEdit::InsertChar(char32_t ch) {
    std::u32string text = Utf8ToUtf32(Text());
    int start = std::min(selStart_, static_cast<int>(text.size()));
    int length = std::min(selLength_, static_cast<int>(text.size()) - start);
    if (maxLength_ > 0 && static_cast<int>(text.size()) - length >= maxLength_)
        return;
    // The text around the caret keeps its bytes; the caret goes after what was typed, counted in
    // the characters the bytes now make.
    std::string before = Utf32ToUtf8(text.substr(0, static_cast<std::size_t>(start))) + TypedText(ch);
    std::u32string typed = Utf8ToUtf32(before);
    Replace(typed + text.substr(static_cast<std::size_t>(start + length)), static_cast<int>(typed.size()));
}

void TEdit::DeleteSelection(bool forward) {
    std::u32string text = Utf8ToUtf32(Text());
    int start = std::min(selStart_, static_cast<int>(text.size()));
    int length = std::min(selLength_, static_cast<int>(text.size()) - start);
    if (length == 0) {
        if (forward && start < static_cast<int>(text.size()))
            length = 1;
        if (!forward && start > 0)
            --start, length = 1;
    }
    if (length == 0)
        return;
    text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    Replace(text, start);
}

void TEdit::EditKey(WORD key, TShiftState shift) {
    (void)shift;
    int length = Length();
    switch (key) {
        case VK_LEFT:
            SetSelStart(selLength_ > 0 ? selStart_ : selStart_ - 1);
            break;
        case VK_RIGHT:
            SetSelStart(selLength_ > 0 ? selStart_ + selLength_ : selStart_ + 1);
            break;
        case VK_HOME:
            SetSelStart(0);
            break;
        case VK_END:
            SetSelStart(length);
            break;
        case VK_DELETE:
            if (!ReadOnly)
                DeleteSelection(true);
            break;
        default:
            break;
    }
}

void TEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR: {
            auto ch = static_cast<char32_t>(Message.WParam);
            if (ReadOnly)
                return;
            if (ch == U'\b')
                DeleteSelection(false);
            else if (ch >= 32 && ch != 127)
                InsertChar(ch);
            return;
        }
        case WM_KEYDOWN:
            EditKey(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
            return;
        case WM_LBUTTONDOWN:
            if (!Focused() && CanFocus())
                SetFocus();
            return;
        default:
            TCustomControl::DefaultHandler(Message);
    }
}

void TEdit::Paint() {
    TCanvas& canvas = *Canvas();
    TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FillRect({0, 0, client.Right, 1});
    canvas.FillRect({0, 0, 1, client.Bottom});
    canvas.Brush()->SetColor(clBtnHighlight);
    canvas.FillRect({0, client.Bottom - 1, client.Right, client.Bottom});
    canvas.FillRect({client.Right - 1, 0, client.Right, client.Bottom});
    std::u32string text = Utf8ToUtf32(Text());
    int y = (client.Height() - canvas.TextHeight("Wg")) / 2;
    TRect inner{2, 2, client.Right - 2, client.Bottom - 2};
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(inner, 3, y, Text());
    if (!Focused())
        return;
    int start = std::min(selStart_, static_cast<int>(text.size()));
    int caretX = 3 + canvas.TextWidth(Utf32ToUtf8(text.substr(0, static_cast<std::size_t>(start))));
    if (selLength_ > 0) {
        int end = std::min(start + selLength_, static_cast<int>(text.size()));
        int endX = 3 + canvas.TextWidth(Utf32ToUtf8(text.substr(0, static_cast<std::size_t>(end))));
        canvas.Brush()->SetColor(clHighlight);
        canvas.FillRect({caretX, y, endX, y + canvas.TextHeight("Wg")});
        canvas.Font()->SetColor(clHighlightText);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextRect(
            {caretX, y, endX, y + canvas.TextHeight("Wg")}, caretX, y,
            Utf32ToUtf8(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start))));
        return;
    }
    canvas.Brush()->SetColor(Font()->Color());
    canvas.FillRect({caretX, y, caretX + 1, y + canvas.TextHeight("Wg")});
}
