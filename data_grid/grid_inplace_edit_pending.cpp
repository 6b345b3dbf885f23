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

void TDBGridInplaceEdit::RefreshImageIndex() {}

TEditButtonControlEh* TDBGridInplaceEdit::NewEditButtonControl() {
    return nullptr;
}

TPopupCalculatorEh* TDBGridInplaceEdit::NewPopupCalculator() {
    return calculatorDropDown_;
}

void TDBGridInplaceEdit::MainButtonPressed(bool BottomHalf) {
    (void)BottomHalf;
}

TRect TDBGridInplaceEdit::ComputeTextRect() {
    return {2, 2, Width() - 2, Height()};
}

void TDBGridInplaceEdit::EditButtonClicked(TObject* Sender) {
    (void)Sender;
}

void TDBGridInplaceEdit::EditButtonPressed(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
    (void)Sender;
    (void)TopButton;
    (void)AutoRepeat;
    Handled = false;
}

void TDBGridInplaceEdit::EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y) {
    (void)Sender;
    (void)Shift;
    (void)X;
    (void)Y;
}

void TDBGridInplaceEdit::EditButtonMouseReleased(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                                 int X, int Y) {
    (void)Sender;
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
}

void TDBGridInplaceEdit::PaintRequiredMark(TCanvas& Canvas) {
    (void)Canvas;
}

void TDBGridInplaceEdit::TextChangedByUser() {
    userEdited_ = true;
}

bool TDBGridInplaceEdit::CellParamsReadOnly(bool& ReadOnly) const {
    (void)ReadOnly;
    return false;
}

void TDBGridInplaceEdit::UpdateContents() {
    TInplaceEdit::UpdateContents();
}

void TDBGridInplaceEdit::DefaultHandler(TMessage& Message) {
    TInplaceEdit::DefaultHandler(Message);
}

void TDBGridInplaceEdit::SetEditStyle(TInplaceEditStyleEh Style) {
    activeEditStyle_ = Style;
}

void TDBGridInplaceEdit::LayoutEditButtons() {}

void TDBGridInplaceEdit::ActivateEditButtons() {}

void TDBGridInplaceEdit::StepByUpDown(bool BottomHalf) {
    (void)BottomHalf;
}

bool TDBGridInplaceEdit::EditButtonByShortCut(TShortCut ShortCut) {
    (void)ShortCut;
    return false;
}

bool TDBGridInplaceEdit::CalculatorAvailable() {
    return false;
}

void TDBGridInplaceEdit::SetWordWrap(bool Value) {
    wordWrap_ = Value;
}

void TDBGridInplaceEdit::CreateParams(TCreateParams& Params) {
    TInplaceEdit::CreateParams(Params);
}

void TDBGridInplaceEdit::PaintWindow(TCanvas& ACanvas) {
    TInplaceEdit::PaintWindow(ACanvas);
}

void TDBGridInplaceEdit::BoundsChanged() {
    TInplaceEdit::BoundsChanged();
}

void TDBGridInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TInplaceEdit::KeyDown(Key, Shift);
}

void TDBGridInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    TInplaceEdit::KeyUp(Key, Shift);
}

void TDBGridInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TInplaceEdit::MouseDown(Button, Shift, X, Y);
}

bool TDBGridInplaceEdit::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    return TInplaceEdit::DoMouseWheelDown(Shift, MousePos);
}

bool TDBGridInplaceEdit::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    return TInplaceEdit::DoMouseWheelUp(Shift, MousePos);
}

void TDBGridInplaceEdit::WMSetCursor(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::WMPaint(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}

void TDBGridInplaceEdit::WMLButtonDblClk(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}
