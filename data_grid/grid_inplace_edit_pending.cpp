// Operations of the grid's in-place editor still on their way: each keeps the editor's plain
// behaviour until its own file takes it over.
#include "data_grid/grid_inplace_edit.h"

// ---- Lists and drop-downs

TMRUListboxEh* TDBGridInplaceEdit::NewMRUListBox() {
    return nullptr;
}

void TDBGridInplaceEdit::AcceptMRUItem(const std::string& Item, bool& Accept) {
    (void)Item;
    Accept = false;
}

void TDBGridInplaceEdit::MRUListBoxResized(TObject* Sender) {
    (void)Sender;
}

void TDBGridInplaceEdit::CloseDropDown(bool Accept) {
    (void)Accept;
}

void TDBGridInplaceEdit::WndProc(TMessage& Message) {
    TInplaceEdit::WndProc(Message);
}

void TDBGridInplaceEdit::OpenDropDown() {}

void TDBGridInplaceEdit::HandleDropDownKeys(WORD& Key, TShiftState Shift) {
    (void)Key;
    (void)Shift;
}

void TDBGridInplaceEdit::DropDownMRUList() {}

void TDBGridInplaceEdit::MRUListClosed(bool Accept) {
    (void)Accept;
}

TMRUListboxEh* TDBGridInplaceEdit::MRUListBox() {
    return mruListWindow_;
}

void TDBGridInplaceEdit::CMCancelMode(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::WMKillFocus(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::WMSetFocus(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::PickListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                         int Y) {
    (void)Sender;
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
}

void TDBGridInplaceEdit::MRUListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                        int Y) {
    (void)Sender;
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
}

void TDBGridInplaceEdit::ReconsiderMRUList() {}

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
