#include "platform/ui/mask_edit.h"

#include "platform/rtl/strings.h"
#include "platform/ui/virtual_keys.h"

namespace {

const char* const kMaskEditError = "Invalid input value.  Use escape key to abandon changes";

std::size_t At(int pos) {
    return static_cast<std::size_t>(pos);
}

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const std::string& value) {
    if (value == editMask_)
        return;
    // The text a program reads survives the change of mask.
    std::string text = GetText();
    editMask_ = value;
    mask_ = TEditMask(value);
    SetMaxLength(mask_.Length());
    SetTextBuf(text);
}

std::string TCustomMaskEdit::GetText() const {
    if (!IsMasked())
        return EditBuffer();
    return Utf32ToUtf8(mask_.TextOf(Utf8ToUtf32(EditBuffer())));
}

void TCustomMaskEdit::SetTextBuf(const std::string& value) {
    if (!IsMasked()) {
        TEdit::SetTextBuf(value);
    } else {
        std::string edit = Utf32ToUtf8(mask_.EditTextOf(Utf8ToUtf32(CaseApplied(value))));
        StoreText(edit);
        // Even an unchanged edit text is a program's setting: the user's edits are over.
        SetModified(false);
        ClearUndo();
    }
    savedText_ = EditBuffer();
}

void TCustomMaskEdit::SetEditText(const std::string& value) {
    if (!IsMasked()) {
        TEdit::SetTextBuf(value);
    } else {
        StoreText(Utf32ToUtf8(mask_.Normalized(Utf8ToUtf32(value))));
    }
    savedText_ = EditBuffer();
}

void TCustomMaskEdit::Reset() {
    if (Modified()) {
        ReplaceAll(savedText_, 0, 0);
        SetModified(false);
    }
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked())
        return;
    int missing = mask_.FirstMissing(Utf8ToUtf32(EditBuffer()));
    if (missing < 0)
        return;
    SetSelection(missing, missing);
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    throw EDBEditError(kMaskEditError);
}

void TCustomMaskEdit::DoExit() {
    // Leaving with required positions blank keeps the focus here.
    ValidateEdit();
    TEdit::DoExit();
}

int TCustomMaskEdit::PlaceChar(std::u32string& text, int pos, char32_t ch) const {
    // A literal typed at its own place steps over it; one the caret has just stepped over is taken
    // as typed (a pasted "123-45" fills "000-00").
    for (int i = pos; i < mask_.Length() && mask_.IsLiteral(i); ++i)
        if (mask_.LiteralAt(i) == ch)
            return i + 1;
    if (mask_.IsLiteral(pos - 1) && mask_.LiteralAt(pos - 1) == ch)
        return pos;
    int input = mask_.NextInput(pos);
    if (input < 0)
        return -1;
    char32_t accepted = mask_.Accept(input, ch);
    if (accepted == 0 && !(ch == U' ' && !mask_.IsRequired(input)))
        return -1;
    text[At(input)] = accepted != 0 ? accepted : mask_.Blank();
    int next = mask_.NextInput(input + 1);
    return next < 0 ? input + 1 : next;
}

void TCustomMaskEdit::BlankRange(std::u32string& text, int start, int end) const {
    for (int i = std::max(start, 0); i < end && i < mask_.Length(); ++i)
        if (!mask_.IsLiteral(i))
            text[At(i)] = mask_.Blank();
}

void TCustomMaskEdit::TypeChar(char32_t ch) {
    if (!IsMasked()) {
        TEdit::TypeChar(ch);
        return;
    }
    if (CharCase() == ecUpperCase)
        ch = UpperCaseChar(ch);
    else if (CharCase() == ecLowerCase)
        ch = LowerCaseChar(ch);
    std::u32string text = mask_.Normalized(Utf8ToUtf32(EditBuffer()));
    BlankRange(text, SelStart(), SelStart() + SelLength());
    int next = PlaceChar(text, SelStart(), ch);
    if (next >= 0)
        ReplaceAll(Utf32ToUtf8(text), next, next);
}

void TCustomMaskEdit::InsertText(const std::string& pasted) {
    if (!IsMasked()) {
        TEdit::InsertText(pasted);
        return;
    }
    std::u32string text = mask_.Normalized(Utf8ToUtf32(EditBuffer()));
    BlankRange(text, SelStart(), SelStart() + SelLength());
    int caret = SelStart();
    // Characters go in one after another; the first one refused ends the paste.
    for (char32_t ch : Utf8ToUtf32(CaseApplied(pasted))) {
        int next = PlaceChar(text, caret, ch);
        if (next < 0)
            break;
        caret = next;
    }
    ReplaceAll(Utf32ToUtf8(text), caret, caret);
}

void TCustomMaskEdit::DeleteChars(bool forward) {
    if (!IsMasked()) {
        TEdit::DeleteChars(forward);
        return;
    }
    std::u32string text = mask_.Normalized(Utf8ToUtf32(EditBuffer()));
    int start = SelStart();
    int end = start + SelLength();
    if (end == start) {
        int input = forward ? mask_.NextInput(start) : mask_.PreviousInput(start - 1);
        if (input < 0)
            return;
        start = input;
        end = input + 1;
    }
    BlankRange(text, start, end);
    int caret = forward ? SelStart() : start;
    ReplaceAll(Utf32ToUtf8(text), caret, caret);
}

bool TCustomMaskEdit::EditKey(WORD key, TShiftState shift) {
    if (key == VK_ESCAPE && IsMasked() && Modified()) {
        Reset();
        return true;
    }
    return TEdit::EditKey(key, shift);
}
