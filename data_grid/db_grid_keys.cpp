// The grid's keys: the shortcuts of the search and the value from above, Ctrl with a key for the
// ends of the data and the clipboard, the plain keys for moving, editing, inserting and deleting.
#include "data_grid/bookmark_list.h"
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "data_grid/grid_unit.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/virtual_keys.h"

namespace {

TDBGridEhShortcuts GridShortcuts() {
    if (const TDBGridEhUnit* unit = DBGridEhUnit())
        return unit->Shortcuts();
    return {ShortCut('F', {ssCtrl}), ShortCut(VK_RETURN, {ssCtrl}), ShortCut(VK_RETURN, {ssCtrl, ssShift}),
            ShortCut(222, {ssCtrl}), ShortCut('F', {ssCtrl})};
}

bool NoModifiers(TShiftState Shift) {
    return (Shift * TShiftState{ssShift, ssCtrl, ssAlt}) == TShiftState{};
}

}  // namespace

void TCustomDBGridEh::KeyDown(WORD& Key, TShiftState Shift) {
    toggleSelection_ = Shift.Contains(ssCtrl) || !extOptions_.Contains(gxoClearSelectionEh);
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if (StartFilterEditingByKey(Key, Shift)) {
        Key = 0;
        return;
    }
    if (UseRightToLeftAlignment() && (Key == VK_LEFT || Key == VK_RIGHT))
        Key = Key == VK_LEFT ? VK_RIGHT : VK_LEFT;
    if (dataLink_->Active() && CanGridAcceptKey(Key, Shift) && ShortcutKeyDown(Key, Shift)) {
        Key = 0;
        return;
    }
    if (Shift.Contains(ssCtrl))
        CtrlKeyDown(Key, Shift);
    else
        PlainKeyDown(Key, Shift);
    if (Key == VK_DELETE && !Shift.Contains(ssCtrl))
        ClearStepCellByKey();
}

// The search, find and value-from-above shortcuts, and the keys a running search takes.
bool TCustomDBGridEh::ShortcutKeyDown(WORD Key, TShiftState Shift) {
    const TDBGridEhShortcuts keys = GridShortcuts();
    const TShortCut pressed = ShortCut(Key, Shift);
    const bool dialogFind = extOptions_.Contains(gxoDialogFindEh);
    if (pressed == keys.CopyValueFromAbove) {
        CopyValueFromPrevious();
    } else if (pressed == keys.InplaceSearch && extOptions_.Contains(gxoIncSearchEh)) {
        if (InplaceSearching() && dialogFind && keys.FindDialog == keys.InplaceSearch) {
            GridEndIncrementalSearch();
            OpenFindDialog();
        } else {
            GridIncrementalSearch("", -1, ismNewEh);
        }
    } else if (pressed == keys.FindDialog && dialogFind) {
        OpenFindDialog();
    } else if (!InplaceSearching()) {
        return false;
    } else if (NoModifiers(Shift) && (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_F2)) {
        GridEndIncrementalSearch();
    } else if (NoModifiers(Shift) && Key == VK_BACK) {
        SearchBackspace();
    } else if (pressed == keys.SearchNext) {
        GridIncrementalSearch("", InplaceSearchTimeout(), ismNextEh);
    } else if (pressed == keys.SearchPrior) {
        GridIncrementalSearch("", InplaceSearchTimeout(), ismPriorEh);
    } else {
        return false;
    }
    return true;
}

void TCustomDBGridEh::OpenFindDialog() {
    const TDBGridEhUnit* unit = DBGridEhUnit();
    if (unit != nullptr && unit->FindHook)
        unit->FindHook(this, "", {}, FindDialogModal());
}

void TCustomDBGridEh::CtrlKeyDown(WORD Key, TShiftState Shift) {
    const bool shift = Shift.Contains(ssShift);
    const bool multi = shift && options_.Contains(gdoMultiSelectEh);
    TDataSet* dataSet = dataLink_->DataSet();
    if (!shift && (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP ||
                   Key == VK_DOWN))
        DropSelection();
    switch (Key) {
        case VK_PRIOR:
        case VK_UP:
            if (multi)
                MoveRows(true, -dataLink_->ActiveRecord(), true, false);
            else
                dataLink_->MoveBy(-dataLink_->ActiveRecord());
            break;
        case VK_NEXT:
        case VK_DOWN: {
            const int distance = dataLink_->RecordCount() - dataLink_->ActiveRecord() - 1;
            if (multi)
                MoveRows(true, distance, true, false);
            else
                dataLink_->MoveBy(distance);
            break;
        }
        case VK_END:
        case VK_HOME:
            if (multi)
                MoveRows(true, Key == VK_END ? 1 : -1, true, true);
            else if (dataSet != nullptr && Key == VK_END)
                dataSet->Last();
            else if (dataSet != nullptr)
                dataSet->First();
            break;
        case VK_LEFT:
            MoveToColumn(indicatorOffset_, 1, false);
            break;
        case VK_RIGHT:
            MoveToColumn(ColCount() - 1, -1, false);
            break;
        case VK_INSERT:
        case 'C':
            if (selection_->Kind() != gskNoneEh && editActions_.Contains(geaCopyEh))
                RunEditAction(geaCopyEh);
            break;
        case VK_DELETE:
            DeleteByKey();
            break;
        case 'A':
            if (editActions_.Contains(geaSelectAllEh) && allowedSelections_.Contains(gskAllEh))
                selection_->SelectWholeGrid();
            break;
        case 'V':
            PasteByKey();
            break;
        case 'X':
            if (editActions_.Contains(geaCutEh))
                RunEditAction(geaCutEh);
            break;
        default:
            break;
    }
}

void TCustomDBGridEh::PasteByKey() {
    if (InplaceSearching())
        GridIncrementalSearch(Clipboard()->AsText(), InplaceSearchTimeout(), ismNewEh);
    else if (editActions_.Contains(geaPasteEh))
        RunEditAction(geaPasteEh);
}

bool TCustomDBGridEh::RunEditAction(TDBGridEhEditAction Action) {
    if (editActionsHandler_ == nullptr || !editActionsHandler_->ActionPossible(this, Action))
        return false;
    editActionsHandler_->RunAction(this, Action);
    return true;
}

void TCustomDBGridEh::DeleteByKey() {
    if (editActions_.Contains(geaDeleteEh) && selection_->Kind() != gskNoneEh && RunEditAction(geaDeleteEh))
        return;
    TDataSet* dataSet = dataLink_->DataSet();
    if (readOnly_ || dataSet == nullptr || dataSet->IsEmpty() || !dataSet->CanModify() ||
        !allowedOperations_.Contains(alopDeleteEh) || !ConfirmDelete())
        return;
    auto* rows = dynamic_cast<TBookmarkListEh*>(selectedRows_.get());
    if (rows != nullptr && rows->Count() > 0)
        rows->DeleteSelectedRecords();
    else
        dataSet->Delete();
}

bool TCustomDBGridEh::ConfirmDelete() {
    const std::string text = selectedRows_->Count() < 2 ? "Delete record?" : "Delete all selected records?";
    if (!options_.Contains(gdoConfirmDeleteEh))
        return true;
    return MessageBox(text, "Confirm", MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
}

void TCustomDBGridEh::PlainKeyDown(WORD Key, TShiftState Shift) {
    const bool shift = Shift.Contains(ssShift);
    const bool multi = shift && options_.Contains(gdoMultiSelectEh);
    const bool rectAllowed = allowedSelections_.Contains(gskRectangleEh);
    switch (Key) {
        case VK_TAB:
            if (!Shift.Contains(ssAlt) && options_.Contains(gdoTabsEh))
                TabToColumn(!shift);
            break;
        case VK_RETURN:
            if (extOptions_.Contains(gxoEnterAsTabEh))
                TabToColumn(!shift);
            break;
        case VK_ESCAPE:
            EscapeKey();
            break;
        case VK_PRIOR:
        case VK_NEXT: {
            const int distance = Key == VK_NEXT ? VisibleDataRowCount() : -VisibleDataRowCount();
            if (multi) {
                MoveRows(true, distance, !rectAllowed, false);
            } else {
                DropSelection();
                dataLink_->MoveBy(distance);
            }
            break;
        }
        case VK_END:
        case VK_HOME:
            EndOrHomeKey(Key == VK_END, multi);
            break;
        case VK_LEFT:
        case VK_RIGHT:
            SideKey(Key == VK_RIGHT ? 1 : -1, multi);
            break;
        case VK_UP:
            MoveUp(shift);
            break;
        case VK_DOWN:
            MoveDown(shift);
            break;
        case VK_INSERT:
            InsertKey(shift);
            break;
        case VK_DELETE:
            if (shift && editActions_.Contains(geaCutEh))
                RunEditAction(geaCutEh);
            break;
        case VK_F2:
            SetEditorMode(true);
            break;
        default:
            break;
    }
}

void TCustomDBGridEh::EscapeKey() {
    dataLink_->Reset();
    DropSelection();
    if (!options_.Contains(gdoAlwaysShowEditorEh))
        HideEditor();
    const TGridState state = GridState();
    if (state == gsRowSizing || state == gsColSizing || state == gsColMoving ||
        pressMode_ == TPressModeEh::SizingFrozen || pressMode_ == TPressModeEh::DraggingRows)
        Perform(WM_CANCELMODE, 0, 0);
}

void TCustomDBGridEh::EndOrHomeKey(bool End, bool Multi) {
    if (ColCount() - indicatorOffset_ > 1 && !options_.Contains(gdoRowSelectEh)) {
        MoveToColumn(End ? ColCount() - 1 : indicatorOffset_, End ? -1 : 1, Multi);
        return;
    }
    if (Multi) {
        MoveRows(true, End ? 1 : -1, true, true);
        return;
    }
    DropSelection();
    if (TDataSet* dataSet = dataLink_->DataSet()) {
        if (End)
            dataSet->Last();
        else
            dataSet->First();
    }
}

void TCustomDBGridEh::SideKey(int Step, bool Multi) {
    if (options_.Contains(gdoRowSelectEh)) {
        const int left = LeftCol() + Step;
        if (left >= FixedCols() && left < ColCount())
            SetLeftCol(left);
        return;
    }
    if (!Multi)
        DropSelection();
    MoveToColumn(Col() + Step, Step, Multi);
}

void TCustomDBGridEh::InsertKey(bool Shift) {
    if (Shift) {
        PasteByKey();
        return;
    }
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataSet == nullptr || !dataSet->CanModify() || readOnly_ || !options_.Contains(gdoEditingEh))
        return;
    DropSelection();
    if (allowedOperations_.Contains(alopInsertEh))
        dataSet->Insert();
    else if (allowedOperations_.Contains(alopAppendEh))
        dataSet->Append();
}

// Delete empties a check box or an image cell, which have no editor to clear them in.
void TCustomDBGridEh::ClearStepCellByKey() {
    TColumnEh* column = CurrentColumnEh();
    if (options_.Contains(gdoRowSelectEh) || column == nullptr || !StepsInPlace(*column))
        return;
    TField* field = column->Field();
    if (field == nullptr || field->Required || !column->IsEditable(false))
        return;
    if (dataLink_->Edit())
        field->SetValue(Variant::Null());
}
