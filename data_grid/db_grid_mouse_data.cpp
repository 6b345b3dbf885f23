// A press on the data rows: the record and column pressed become current, cell, rectangle and
// row selections start, and the cell editor opens where the press asks for it.
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/messages.h"
#include "platform/ui/mouse_capture.h"

namespace {

bool SteppedCell(TColumnEh* Column) {
    if (Column == nullptr)
        return false;
    const TColumnCellKindEh kind = Column->CellKind();
    return kind == ckImageListEh || kind == ckCheckboxesEh;
}

// Where a cell's edit button takes presses: its width at the right edge, at the left in
// right-to-left columns.
bool InButtonArea(TColumnEh* Column, const TRect& CellRect, int X) {
    if (Column == nullptr)
        return false;
    const int width = Column->EditButtonsWidth();
    if (width <= 0)
        return false;
    return Column->IsRightToLeft() ? X < CellRect.Left + width : X >= CellRect.Right - width;
}

}  // namespace

void TCustomDBGridEh::MouseDownData(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
    TDataSet* dataSet = dataLink_->DataSet();
    const TGridCoord oldCell{Col(), Row()};
    const bool wasRect = selection_->Kind() == gskRectangleEh;
    LockLayout();
    try {
        dataLink_->UpdateRecord();
        HideEditor();
        const bool multi = options_.Contains(gdoMultiSelectEh);
        const int dataRow = Cell.Y - topDataOffset_;
        const int distance = dataRow - dataLink_->ActiveRecord();
        if (InDataRows(Cell) && distance != 0 &&
            (!Shift.Contains(ssShift) || !multi ||
             (!options_.Contains(gdoRowSelectEh) && Cell.X >= indicatorOffset_)))
            dataSet->MoveBy(distance);
        if (Cell.X >= indicatorOffset_)
            MoveToColumn(Cell.X, 0, false);
        if (GetCaptureControl() == this)
            MouseDownSelect(Button, Shift, Cell, oldCell, wasRect);
    } catch (...) {
        UnlockLayout();
        throw;
    }
    UnlockLayout();
    if (GetCaptureControl() == this)
        MouseDownEditor(Button, X, Y, Cell, oldCell);
}

void TCustomDBGridEh::MouseDownSelect(TMouseButton Button, TShiftState Shift, TGridCoord Cell,
                                      TGridCoord OldCell, bool SelectionWasRect) {
    TDataSet* dataSet = dataLink_->DataSet();
    TDBGridEhSelection* selection = selection_.get();
    const bool multi = options_.Contains(gdoMultiSelectEh);
    const bool rowSelect = options_.Contains(gdoRowSelectEh);
    const bool onIndicator = Cell.X < indicatorOffset_;
    const bool plain = !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift);
    const bool clears = extOptions_.Contains(gxoClearSelectionEh);
    const bool followsCells = InDataRows(Cell) && !onIndicator && (!multi || !rowSelect);
    if (followsCells) {
        EnterPressMode(TPressModeEh::FollowingCells);
        horzAutoScroll_ = true;
        const bool keep = Button == mbRight && selection != nullptr &&
                          selection->CellIsSelected(GridColToDataCol(Cell.X), dataSet->GetBookmark());
        if (plain && clears && !keep)
            selection_->Reset();
    }
    const bool rectAllowed = SelectionKindAllowed(gskRectangleEh);
    if (Button == mbLeft && !onIndicator && rectAllowed && !dataSet->IsEmpty() && selection != nullptr) {
        const std::string here = dataSet->GetBookmark();
        if (Shift.Contains(ssShift)) {
            if (!SelectionWasRect) {
                const int back = OldCell.Y - Row();
                dataSet->MoveBy(back);
                selection->Rect().ExtendTo(GridColToDataCol(OldCell.X), dataSet->GetBookmark(), false);
                dataSet->GotoBookmark(here);
            }
            selection->Rect().ExtendTo(GridColToDataCol(Cell.X), here, true);
        } else {
            selection->Rect().ExtendTo(GridColToDataCol(Cell.X), here, false);
        }
        EnterPressMode(followsCells ? TPressModeEh::SelectingRect : TPressModeEh::SelectingRectOnly);
    }
    if (SelectionKindAllowed(gskRowsEh) && (rowSelect || onIndicator || !rectAllowed))
        MouseDownSelectRows(Button, Shift, Cell);
}

void TCustomDBGridEh::MouseDownSelectRows(TMouseButton Button, TShiftState Shift, TGridCoord Cell) {
    const bool clears = extOptions_.Contains(gxoClearSelectionEh);
    const int distance = Cell.Y - topDataOffset_ - dataLink_->ActiveRecord();
    const bool wasSelected = distance == 0 && selectedRows_->IsCurrentRowSelected();
    if (Shift.Contains(ssShift) && distance != 0) {
        toggleSelection_ = true;
        MoveRows(true, distance, true, false);
    } else if (Button == mbLeft && (Shift.Contains(ssCtrl) || !clears)) {
        selectedRows_->SelectCurrentRow(!selectedRows_->IsCurrentRowSelected());
    } else if (Button == mbLeft) {
        if (clears)
            DropSelection();
        selectedRows_->SelectCurrentRow(true);
    }
    EnterPressMode(TPressModeEh::SelectingRows);
    SetRowRangeAnchor();
    rowAnchorWasSelected_ = wasSelected;
    toggleSelection_ = Shift.Contains(ssCtrl) || !clears;
}

// After the move: the editor opens for the button area, a second press or an editor kept shown.
void TCustomDBGridEh::MouseDownEditor(TMouseButton Button, int X, int Y, TGridCoord Cell,
                                      TGridCoord OldCell) {
    const bool sameCell = Cell == OldCell;
    if (Button == mbLeft && KeepsEditorShown() && (sameCell || options_.Contains(gdoAlwaysShowEditorEh)))
        ShowCellEditor();
    TColumnEh* column = ColumnAtGridCol(Cell.X);
    if (Button == mbRight || Cell.X < indicatorOffset_) {
        RefreshEditors();
    } else if (Button == mbLeft && InDataRows(Cell)) {
        const bool onButton = InButtonArea(column, CellRect(Cell.X, Cell.Y), X);
        if (options_.Contains(gdoAlwaysShowEditorEh) || onButton || sameCell)
            ShowCellEditor();
        TInplaceEdit* editor = InplaceEditor();
        if (onButton && editor != nullptr && editor->Visible()) {
            CancelMouseTracking();
            const TPoint at = editor->ScreenToClient(ClientToScreen({X, Y}));
            editor->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(at.X, at.Y));
        }
    }
    if (InDataRows(Cell) && SteppedCell(column))
        steppedCellPress_ = Cell;
}
