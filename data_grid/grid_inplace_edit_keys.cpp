// The grid editor's keys and mouse: the grid's shortcuts reached from the editor, arrows in wrapped
// text, the extra buttons' shortcuts, presses outside the text and the wheel over an open list.
#include "data_controls/spec_row.h"
#include "data_grid/column.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_routines.h"
#include "data_grid/grid_unit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/rtl/flag_scope.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"

namespace {

bool IsMouseButtonMessage(UINT Msg) {
    return Msg >= WM_LBUTTONDOWN && Msg <= WM_MBUTTONDBLCLK;
}

bool IsMouseButtonRelease(UINT Msg) {
    return Msg == WM_LBUTTONUP || Msg == WM_RBUTTONUP || Msg == WM_MBUTTONUP;
}

TDBGridEhShortcuts UnitShortcuts() {
    const TDBGridEhUnit* unit = DBGridEhUnit();
    return unit != nullptr ? unit->Shortcuts() : TDBGridEhShortcuts{};
}

void OpenFindDialogWith(TCustomDBGridEh& Grid, const std::string& Text, bool Modal) {
    const TDBGridEhUnit* unit = DBGridEhUnit();
    if (unit != nullptr && unit->FindHook)
        unit->FindHook(&Grid, Text, {}, Modal);
}

}  // namespace

void TDBGridInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr) {
        TInplaceEdit::KeyDown(Key, Shift);
        return;
    }
    // Ctrl+Enter in a cell with an ellipsis or a calculator is the main button's click, not a line break.
    if (Key == VK_RETURN && Shift == TShiftState{ssCtrl} &&
        (activeEditStyle_ == esEllipsisEh || activeEditStyle_ == esDropDownEh)) {
        if (HandleAllocated())
            ::DropPendingMessage(Handle(), WM_CHAR);
        grid->EditButtonClick();
        return;
    }
    KeyDownInListCell(Key, Shift);
    if (Key == 0)
        return;
    if ((Key == VK_UP || Key == VK_DOWN) && wordWrap_ && !WordWrapArrowKey(Key, Shift))
        return;
    const TDBGridEhShortcuts keys = UnitShortcuts();
    const TShortCut pressed = ShortCut(Key, Shift);
    if ((Key == VK_RETURN && grid->ExtOptions().Contains(gxoEnterAsTabEh)) ||
        (keys.CopyValueFromAbove != 0 && pressed == keys.CopyValueFromAbove)) {
        grid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (SearchShortcutKey(Key, Shift) || SpecRowShortcutKey(Key, Shift) || EditButtonByShortCut(pressed)) {
        Key = 0;
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

// Up and Down in wrapped text move the caret between lines; with the editor always shown they go
// to the grid from the first (Up) or last (Down) line, or when the whole text is selected. False
// when the key stays with the text.
bool TDBGridInplaceEdit::WordWrapArrowKey(WORD Key, TShiftState Shift) {
    (void)Shift;
    TCustomDBGridEh* grid = OwnerGrid();
    if (!grid->Options().Contains(gdoAlwaysShowEditorEh))
        return false;
    if (SelLength() > 0 && SelLength() == Length())
        return true;
    const auto line = Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    if (Key == VK_UP)
        return line == 0;
    return line == Perform(EM_GETLINECOUNT) - 1;
}

bool TDBGridInplaceEdit::SearchShortcutKey(WORD Key, TShiftState Shift) {
    TCustomDBGridEh* grid = OwnerGrid();
    const TDBGridEhShortcuts keys = UnitShortcuts();
    const TShortCut pressed = ShortCut(Key, Shift);
    const bool dialogFind = grid->ExtOptions().Contains(gxoDialogFindEh);
    if (keys.InplaceSearch != 0 && pressed == keys.InplaceSearch &&
        grid->ExtOptions().Contains(gxoIncSearchEh)) {
        if (grid->InplaceSearching() && dialogFind && keys.FindDialog == keys.InplaceSearch) {
            grid->GridEndIncrementalSearch();
            OpenFindDialogWith(*grid, SelText(), grid->FindDialogModal());
        } else {
            grid->GridIncrementalSearch("", -1, ismNewEh);
        }
        return true;
    }
    if (keys.FindDialog != 0 && pressed == keys.FindDialog && dialogFind) {
        OpenFindDialogWith(*grid, SelText(), grid->FindDialogModal());
        return true;
    }
    return false;
}

// The special row's shortcut in a lookup cell puts the special row's text and value in the cell.
bool TDBGridInplaceEdit::SpecRowShortcutKey(WORD Key, TShiftState Shift) {
    TColumnEh* column = CurrentColumn();
    TSpecRowEh* specRow = column != nullptr ? column->DropDownSpecRow() : nullptr;
    if (activeEditStyle_ != esDataListEh || specRow == nullptr || !specRow->Visible() ||
        specRow->ShortCut() == 0 || specRow->ShortCut() != ShortCut(Key, Shift))
        return false;
    if (!column->IsEditable(false) || !column->IsEditable(true))
        return true;
    TCustomDBGridEh* grid = OwnerGrid();
    const std::string text = specRow->CellTextAt(0);
    SetText(text);
    grid->editText_ = text;
    grid->editKeyValue_ = specRow->Value();
    if (dataList_ != nullptr)
        dataList_->SetKeyValue(specRow->Value());
    SelectAll();
    return true;
}

void TDBGridInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    // The lookup grid follows Ctrl for its sorting marks even while the editor has the keys.
    if (Key == VK_CONTROL && listShown_ && dataList_ != nullptr && activeDropDown_ == dataList_)
        dataList_->Perform(WM_KEYUP, Key, 0);
    TInplaceEdit::KeyUp(Key, Shift);
}

// A press outside the text (on the image) leaves the caret where it was. The press itself has
// taken the mouse by now, so only its place decides.
void TDBGridInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!ComputeTextRect().Contains({X, Y}))
        TCustomControl::MouseDown(Button, Shift, X, Y);
    else
        TInplaceEdit::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Shift.Contains(ssDouble))
        StepValueOnDoubleClick(Shift);
}

void TDBGridInplaceEdit::DefaultHandler(TMessage& Message) {
    // Presses outside the text rectangle are not the text's; a release there still ends a drag
    // that holds the mouse.
    if (IsMouseButtonMessage(Message.Msg) &&
        !(IsMouseButtonRelease(Message.Msg) && GetCaptureControl() == this)) {
        TRect text;
        Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        if (!text.Contains(PointFromLParam(Message.LParam)))
            return;
    }
    if (Message.Msg == WM_CHAR || Message.Msg == WM_KEYDOWN) {
        TFlagScope byUser(textChangeByUser_);
        TInplaceEdit::DefaultHandler(Message);
    } else {
        TInplaceEdit::DefaultHandler(Message);
    }
    AfterEditMessage();
}

void TDBGridInplaceEdit::AfterEditMessage() {
    if (!userEdited_)
        return;
    userEdited_ = false;
    ReconsiderMRUList();
}

void TDBGridInplaceEdit::Change() {
    TInplaceEdit::Change();
    if (textChangeByUser_)
        TextChangedByUser();
}

bool TDBGridInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (listShown_)
        return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return TInplaceEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
}

bool TDBGridInplaceEdit::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    return listShown_ || TInplaceEdit::DoMouseWheelDown(Shift, MousePos);
}

bool TDBGridInplaceEdit::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    return listShown_ || TInplaceEdit::DoMouseWheelUp(Shift, MousePos);
}

void TDBGridInplaceEdit::WMLButtonDblClk(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
}
