// The grid editor's keys in lookup and key-list cells: Delete clearing the key or deleting the
// selection, Backspace stepping back or deleting, the paste keys through WM_PASTE; and a double
// click stepping the value.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_inplace_edit_typing.h"
#include "data_grid/popup_data_grid.h"
#include "platform/rtl/strings.h"
#include "platform/ui/virtual_keys.h"

namespace {

bool IsPasteKey(WORD Key, TShiftState Shift) {
    return (Key == 'V' && Shift == TShiftState{ssCtrl}) ||
           (Key == VK_INSERT && Shift == TShiftState{ssShift});
}

bool IsListCell(TColumnEh& Column) {
    const TColumnCellKindEh kind = Column.CellKind();
    return Column.Field() != nullptr && (kind == ckLookupEh || kind == ckKeyPickListEh);
}

// The text without the characters From to To (counted in characters).
std::string WithoutChars(const std::string& Text, int From, int To) {
    std::u32string chars = Utf8ToUtf32(Text);
    chars.erase(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From));
    return Utf32ToUtf8(chars);
}

// Delete with the whole text selected clears the cell; otherwise only a cell that takes texts not
// in its list deletes the selection.
void DeleteInListCell(TDBGridInplaceEdit& Editor, TColumnEh& Column, Variant& EditKeyValue) {
    TCustomDBGridEh* grid = Editor.OwnerGrid();
    // Taken before the grid goes into edit, which loads the editor afresh.
    const std::string text = Editor.Text();
    const int start = Editor.SelStart();
    const int end = start + Editor.SelLength();
    if (start == 0 && end == static_cast<int>(Utf8Length(text))) {
        if (!Column.IsEditable(true))
            return;
        const bool keyList = Column.CellKind() == ckKeyPickListEh;
        const TInplaceEditStyleEh style = Editor.ActiveEditStyle();
        if (style == esDataListEh) {
            EditKeyValue = Variant::Null();
            Editor.SetText("");
            grid->SetEditText(grid->Col(), grid->Row(), "");
            if (Editor.DataList() != nullptr)
                Editor.DataList()->SetKeyValue(Variant::Null());
        } else if (style == esPickListEh && keyList) {
            Editor.SetText("");
            grid->SetEditText(grid->Col(), grid->Row(), "");
        }
        return;
    }
    if (!Column.OnNotInList || !Column.IsEditable(true))
        return;
    Editor.SetText(WithoutChars(text, start, end));
    Editor.SetSelStart(start);
    Editor.LocateTypedText();
    OpenListFollowsEditText(Editor);
}

// Backspace in a cell that takes texts not in its list: the selection and the character before it.
void DeleteBackInListCell(TDBGridInplaceEdit& Editor, TColumnEh& Column) {
    const std::string text = Editor.Text();
    const int start = std::max(Editor.SelStart() - 1, 0);
    const int end = Editor.SelStart() + Editor.SelLength();
    if (!Column.IsEditable(true))
        return;
    Editor.SetText(WithoutChars(text, start, end));
    Editor.SetSelStart(start);
    Editor.LocateTypedText();
    OpenListFollowsEditText(Editor);
}

}  // namespace

void TDBGridInplaceEdit::KeyDownInListCell(WORD& Key, TShiftState Shift) {
    TColumnEh* column = CurrentColumn();
    if (OwnerGrid() == nullptr || column == nullptr || !IsListCell(*column))
        return;
    // The edit would insert the clipboard as it is; the cell completes it against its list.
    if (IsPasteKey(Key, Shift)) {
        Perform(WM_PASTE);
        Key = 0;
        return;
    }
    if (Key == VK_DELETE && Shift == TShiftState{} && column->IsEditable(false)) {
        DeleteInListCell(*this, *column, OwnerGrid()->editKeyValue_);
        Key = 0;
    } else if (Key == VK_BACK) {
        // Without texts of its own the cell only steps back, as Left does, but within the text:
        // Backspace never moves the grid to the previous column.
        if (column->OnNotInList)
            DeleteBackInListCell(*this, *column);
        else
            EditKey(VK_LEFT, Shift);
        Key = 0;
    }
}

void TDBGridInplaceEdit::StepValueOnDoubleClick(TShiftState Shift) {
    TColumnEh* column = CurrentColumn();
    if (column != nullptr && column->DblClickNextVal())
        column->StepValue(Shift.Contains(ssShift) ? -1 : 1);
}
