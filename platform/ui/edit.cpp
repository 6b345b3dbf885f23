#include "platform/ui/edit.h"

#include "platform/rtl/flag_scope.h"
#include "platform/rtl/strings.h"
#include "platform/ui/clipboard.h"

TEdit::TEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    ControlStyle.Exclude(csClickEvents);
    SetCursor(crIBeam);
}

int TEdit::Length() const {
    return static_cast<int>(Utf8ToUtf32(text_).size());
}

void TEdit::SetPasswordChar(char32_t value) {
    if (value == passwordChar_)
        return;
    passwordChar_ = value;
    Invalidate();
}

std::string TEdit::CaseApplied(const std::string& text) const {
    switch (charCase_) {
        case ecUpperCase:
            return AnsiUpperCase(text);
        case ecLowerCase:
            return AnsiLowerCase(text);
        default:
            return text;
    }
}

void TEdit::SetCharCase(TEditCharCase value) {
    if (value == charCase_)
        return;
    charCase_ = value;
    // The text already there takes the new case, as the platform's edit does (a mask's literals
    // and blanks keep theirs).
    int anchor = anchor_, caret = caret_;
    SetTextBuf(GetText());
    SetSelection(anchor, caret);
}

void TEdit::SetAutoSize(bool value) {
    autoSize_ = value;
    FitHeight();
}

void TEdit::SetMultiline(bool value) {
    multiline_ = value;
    scrollX_ = 0;
    firstLine_ = 0;
    Invalidate();
}

void TEdit::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL;
    if (multiline_)
        Params.Style |= ES_MULTILINE;
}

void TEdit::CreateWnd() {
    TCustomControl::CreateWnd();
    // The window's styles decide, as they do for the platform's edit: a descendant may ask for lines
    // of its own and for wrapping them.
    multiline_ = (WindowStyle() & ES_MULTILINE) != 0;
    wordWrap_ = multiline_ && (WindowStyle() & ES_AUTOHSCROLL) == 0;
    ScrollCaret();
}

void TEdit::FitHeight() {
    if (autoSize_ && !multiline_)
        SetHeight(LineHeight() + 8);
}

void TEdit::Resize() {
    TCustomControl::Resize();
    // Lines wrap anew and more or fewer of them show.
    if (multiline_)
        ScrollCaret();
}

void TEdit::FontChanged() {
    TCustomControl::FontChanged();
    FitHeight();
}

void TEdit::SetSelection(int anchor, int caret) {
    int length = Length();
    anchor_ = std::clamp(anchor, 0, length);
    caret_ = std::clamp(caret, 0, length);
    typingRun_ = false;
    ScrollCaret();
    Invalidate();
}

void TEdit::SetSelStart(int value) {
    SetSelection(value, value);
}

void TEdit::SetSelLength(int value) {
    int start = SelStart();
    SetSelection(start, start + std::max(value, 0));
}

void TEdit::SelectAll() {
    SetSelection(0, Length());
}

std::string TEdit::SelText() const {
    std::u32string text = Utf8ToUtf32(text_);
    return Utf32ToUtf8(
        text.substr(static_cast<std::size_t>(SelStart()), static_cast<std::size_t>(SelLength())));
}

void TEdit::SetSelText(const std::string& value) {
    InsertText(value);
}

void TEdit::ClearSelection() {
    if (!ReadOnly && SelLength() > 0)
        DeleteChars(true);
}

void TEdit::CopyToClipboard() {
    // A password never leaves the edit.
    if (passwordChar_ == 0 && SelLength() > 0)
        Clipboard()->SetAsText(SelText());
}

void TEdit::CutToClipboard() {
    if (passwordChar_ != 0 || ReadOnly)
        return;
    CopyToClipboard();
    ClearSelection();
}

void TEdit::PasteFromClipboard() {
    if (ReadOnly || !Clipboard()->HasText())
        return;
    InsertText(Clipboard()->AsText());
}

void TEdit::Undo() {
    if (!undo_ || ReadOnly)
        return;
    // Undoing twice redoes: the state undone becomes the one to go back to.
    UndoState back{text_, anchor_, caret_};
    UndoState to = *undo_;
    undo_ = back;
    editing_ = true;
    StoreText(to.Text);
    editing_ = false;
    modified_ = true;
    SetSelection(to.Anchor, to.Caret);
}

void TEdit::RememberUndo(bool typing) {
    // Characters typed one after another undo together.
    if (!(typing && typingRun_))
        undo_ = UndoState{text_, anchor_, caret_};
}

void TEdit::StoreText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

void TEdit::SetTextBuf(const std::string& value) {
    StoreText(CaseApplied(value));
}

void TEdit::TextChanged() {
    // Text set from outside puts the caret at the start and is no user's edit.
    if (!editing_) {
        anchor_ = caret_ = scrollX_ = 0;
        modified_ = false;
        undo_.reset();
        typingRun_ = false;
    }
    Change();
}

void TEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TEdit::ReplaceAll(const std::string& text, int anchor, int caret) {
    bool typing = typingRun_;
    RememberUndo(typing);
    {
        TFlagScope editing(editing_);
        anchor_ = caret_ = 0;
        StoreText(text);
    }
    modified_ = true;
    SetSelection(anchor, caret);
    typingRun_ = typing;
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

void TEdit::ReplaceSelection(const std::string& text) {
    std::u32string current = Utf8ToUtf32(text_);
    int start = SelStart();
    std::u32string inserted = Utf8ToUtf32(CaseApplied(text));
    if (maxLength_ > 0) {
        int room = maxLength_ - (static_cast<int>(current.size()) - SelLength());
        if (room <= 0 && !inserted.empty())
            return;
        inserted.resize(std::min(inserted.size(), static_cast<std::size_t>(std::max(room, 0))));
    }
    // The text around the caret keeps its bytes; the caret goes after what was put in, counted in
    // the characters the bytes now make.
    std::string before =
        Utf32ToUtf8(current.substr(0, static_cast<std::size_t>(start))) + Utf32ToUtf8(inserted);
    int caret = static_cast<int>(Utf8ToUtf32(before).size());
    ReplaceAll(before + Utf32ToUtf8(current.substr(static_cast<std::size_t>(start + SelLength()))), caret,
               caret);
}

void TEdit::TypeChar(char32_t ch) {
    RememberUndo(true);
    typingRun_ = true;
    ReplaceSelection(TypedText(ch));
}

void TEdit::InsertText(const std::string& text) {
    typingRun_ = false;
    ReplaceSelection(text);
}

void TEdit::DeleteChars(bool forward) {
    int start = SelStart();
    int length = SelLength();
    if (length == 0) {
        std::u32string text = Utf8ToUtf32(text_);
        int size = static_cast<int>(text.size());
        if (forward && start < size)
            length = (text[static_cast<std::size_t>(start)] == U'\r' && start + 1 < size &&
                      text[static_cast<std::size_t>(start) + 1] == U'\n')
                         ? 2
                         : 1;
        if (!forward && start > 0) {
            length = (start > 1 && text[static_cast<std::size_t>(start) - 1] == U'\n' &&
                      text[static_cast<std::size_t>(start) - 2] == U'\r')
                         ? 2
                         : 1;
            start -= length;
        }
    }
    if (length == 0)
        return;
    typingRun_ = false;
    SetSelection(start, start + length);
    ReplaceSelection("");
}

void TEdit::DoEnter() {
    // A click places the caret itself; a multi-line edit keeps its caret.
    if (AutoSelect && !clickFocusing_ && !multiline_)
        SelectAll();
    TCustomControl::DoEnter();
}
