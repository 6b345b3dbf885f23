// A mouse press in the grid: double clicks on borders and stepping cells, sizing frozen and
// scrolling columns, title buttons, selecting columns, rows and blocks of cells, and moving to the
// record and column pressed.
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/ui/canvas.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/pen.h"

namespace {

constexpr int kSelectInterval = 60;

bool SteppedByClicks(TColumnEh* Column) {
    if (Column == nullptr)
        return false;
    const TColumnCellKindEh kind = Column->CellKind();
    return kind == ckImageListEh || kind == ckCheckboxesEh;
}

}  // namespace

TColumnEh* TCustomDBGridEh::ColumnAtGridCol(int GridCol) const {
    const int index = GridColToDataCol(GridCol);
    if (!columns_ || index < 0 || index >= columns_->Count())
        return nullptr;
    return dynamic_cast<TColumnEh*>(columns_->Items(index));
}

// In multi-title mode the group captions above a column's own caption are no title button.
bool TCustomDBGridEh::InTitleLeafPart(int GridCol, int Y) {
    const int index = GridColToDataCol(GridCol);
    if (!useMultiTitle_ || index < 0 || index >= static_cast<int>(leafColumns_.size()))
        return true;
    const THeadTreeNode* leaf = leafColumns_[static_cast<std::size_t>(index)].FLeaf;
    return leaf == nullptr || Y >= CellRect(GridCol, 0).Bottom - leaf->NodeHeight;
}

bool TCustomDBGridEh::InDataRows(TGridCoord Cell) {
    return Cell.Y >= topDataOffset_ && Cell.Y <= DataCellArea().Bottom;
}

void TCustomDBGridEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The window system captures left presses itself.
    if (Button == mbRight)
        SetCaptureControl(this);
    steppedCellPress_ = {-1, -1};
    mousePressPoint_ = {X, Y};
    mousePoint_ = {X, Y};
    if (!TryFocusGrid())
        return;
    if (FilterEditingActive() && DataCellsPixels().Contains({X, Y}))
        StopFilterEditing();
    if (Shift.Contains(ssDouble) && Button == mbLeft) {
        MouseDownDoubleClick(Shift, X, Y);
        return;
    }
    if (Button == mbLeft && MouseDownSizing(Button, Shift, X, Y))
        return;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (cell.Y < topDataOffset_) {
        if (ColumnSelectZone(X, Y)) {
            MouseDownSelectColumn(Shift, cell);
            return;
        }
        if (MouseDownTitle(Button, Shift, X, Y, cell))
            return;
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    int areaCol = 0;
    int areaRow = 0;
    if (CellVertArea(GetCellType(cell.X, cell.Y, areaCol, areaRow)) == gctFooterRowEh ||
        !dataLink_->Active()) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (!BeginRowDrag(X, Y, false) && !ToggleTreeNodeAt(X, Y))
        MouseDownData(Button, Shift, X, Y, cell);
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

// Fits a column to its contents on its border, or steps an image or check-box cell.
bool TCustomDBGridEh::MouseDownDoubleClick(TShiftState Shift, int X, int Y) {
    TSizingHitEh hit = SizingHitAt(X, Y);
    TGridDragStateEh frozen = dgsNoneEh;
    if (hit.State != gsColSizing && FrozenSizingHit(X, Y, hit.Ofs, hit.Pos, hit.Index, frozen))
        hit.State = gsColSizing;
    optimizedOnDoubleClick_ = false;
    if (hit.State == gsColSizing && extOptions_.Contains(gxoDblClickOptimizeColWidthEh)) {
        if (TColumnEh* column = ColumnAtGridCol(hit.Index)) {
            OptimizeColumnWidths(column);
            optimizedOnDoubleClick_ = true;
        }
    } else {
        const TGridCoord cell = MouseCoord(X, Y);
        TColumnEh* column = ColumnAtGridCol(cell.X);
        if (InDataRows(cell) && SteppedByClicks(column) && column->DblClickNextVal())
            column->StepValue(Shift.Contains(ssShift) ? -1 : 1);
    }
    if (optimizedOnDoubleClick_)
        return true;
    if (pendingDblClick_)
        pendingDblClick_(this);
    TCustomControl::MouseDown(mbLeft, Shift, X, Y);
    return false;
}

// A press on a frozen column's border or on a border the base grid sizes.
bool TCustomDBGridEh::MouseDownSizing(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGridDragStateEh frozen = dgsNoneEh;
    if (FrozenSizingHit(X, Y, frozenSizingOfs_, frozenSizingPos_, frozenSizingCol_, frozen)) {
        EnterPressMode(TPressModeEh::SizingFrozen);
        SetSizingPos(frozenSizingPos_);
        if (!extOptions_.Contains(gxoTraceColSizingEh)) {
            PaintNow();
            TGridDrawInfo info;
            CalcDrawInfo(info);
            DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
        }
        return true;
    }
    const TSizingHitEh hit = SizingHitAt(X, Y);
    if (hit.State == gsNormal)
        return false;
    dataLink_->UpdateRecord();
    if (hit.State == gsColSizing && extOptions_.Contains(gxoTraceColSizingEh) && Button == mbLeft) {
        SetGridState(gsColSizing);
        frozenSizingCol_ = hit.Index;
        frozenSizingOfs_ = hit.Ofs;
        frozenSizingPos_ = UseRightToLeftAlignment() ? ClientWidth() - hit.Pos : hit.Pos;
        SetSizingPos(frozenSizingPos_);
        return true;
    }
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return true;
}

void TCustomDBGridEh::MouseDownSelectColumn(TShiftState Shift, TGridCoord Cell) {
    InvalidateColumn(Cell.X);
    EnterPressMode(TPressModeEh::SelectingColumns);
    StartScrollTimer(kSelectInterval);
    TDBGridEhSelection* selection = selection_.get();
    TColumnEh* column = ColumnAtGridCol(Cell.X);
    if (selection == nullptr || column == nullptr)
        return;
    if (Shift.Contains(ssShift)) {
        selection->Columns().ExtendToColumn(column);
    } else if (Shift.Contains(ssCtrl)) {
        selection->Columns().ToggleColumn(column);
    } else {
        PaintNow();
        selection->Columns().SelectColumn(column, false);
    }
}

// A press on a title: a title button held down, or the base grid's column moving and sizing.
bool TCustomDBGridEh::MouseDownTitle(TMouseButton Button, TShiftState Shift, int X, int Y, TGridCoord Cell) {
    const bool designing = ComponentState().Contains(csDesigning);
    TColumnEh* column = ColumnAtGridCol(Cell.X);
    if (Cell.Y < ShowsTitles() && column != nullptr && !designing && InTitleLeafPart(Cell.X, Y)) {
        if (Button == mbRight && options_.Contains(gdoColumnResizeEh)) {
            rightPressAsLeft_ = true;
            Button = mbLeft;
        }
        if (Button == mbLeft) {
            bool enabled = column->Title()->TitleButton();
            CheckTitleButton(GridColToDataCol(Cell.X), column, enabled);
            if (enabled) {
                EnterPressMode(TPressModeEh::TitleButton);
                pressedTitleColumn_ = Cell.X;
                titlePressShown_ = true;
                InvalidateCell(Cell.X, Cell.Y);
                return true;
            }
        }
    }
    if (!designing && !options_.Contains(gdoColumnResizeEh))
        return false;
    if (Cell.X < indicatorOffset_ && Cell.Y == 0 && options_.Contains(gdoMultiSelectEh) &&
        dataLink_->Active() && SelectionKindAllowed(gskAllEh)) {
        if (selection_->Kind() != gskNoneEh)
            selection_->Clear();
        else
            selection_->SelectWholeGrid();
        RefreshEditors();
    }
    dataLink_->UpdateRecord();
    Canvas()->Pen()->SetColor(clSilver);
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return true;
}
