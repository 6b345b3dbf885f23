// Operations of the grid's in-place editor still on their way: each keeps the editor's plain
// behaviour until its own file takes it over.
#include "data_grid/grid_inplace_edit.h"

// ---- Typing, completion and paste

void TDBGridInplaceEdit::ApplyEditedText(std::string& TypedChars) {
    (void)TypedChars;
}

void TDBGridInplaceEdit::LocateTypedText() {}

int TDBGridInplaceEdit::FindStringIndex(const TStrings& List, const std::string& Text, bool PartialKey) {
    (void)List;
    (void)Text;
    (void)PartialKey;
    return -1;
}

void TDBGridInplaceEdit::KeyPress(char32_t& Key) {
    TInplaceEdit::KeyPress(Key);
}

void TDBGridInplaceEdit::WMPaste(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::KeyDownInListCell(WORD& Key, TShiftState Shift) {
    (void)Key;
    (void)Shift;
}

void TDBGridInplaceEdit::StepValueOnDoubleClick(TShiftState Shift) {
    (void)Shift;
}

// ---- The editor's own, on their way
