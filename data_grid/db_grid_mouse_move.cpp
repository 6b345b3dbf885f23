// The mouse moving with a button held and its release: a title press that follows the pointer or
// turns into a column move, selections stretching with auto-scroll, columns sized as the pointer
// goes, records dragged, and what a release completes.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/ui/canvas.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/pen.h"

namespace {

// A title press dragged further than this sideways becomes a column move.
constexpr int kColumnMoveSlack = 3;

}  // namespace

void TCustomDBGridEh::MouseMove(TShiftState Shift, int X, int Y) {
    mousePoint_ = {X, Y};
    if (pressMode_ == TPressModeEh::TitleButton)
        MouseMoveTitle(X, Y);
    if (PressFollowsCells() || pressMode_ == TPressModeEh::SelectingRectOnly)
        MouseMoveTracking(Shift, X, Y);
    if (pressMode_ == TPressModeEh::SelectingColumns) {
        const TGridCoord cell = MouseCoord(X, Y);
        if (cell.X < indicatorOffset_ || ColumnAtGridCol(cell.X) == nullptr)
            AutoScrollTick();
        else
            ExtendColumnSelection(cell.X);
    }
    const bool traced = extOptions_.Contains(gxoTraceColSizingEh) &&
                        (GridState() == gsColSizing || pressMode_ == TPressModeEh::SizingFrozen);
    if (traced || pressMode_ == TPressModeEh::SizingFrozen)
        MouseMoveSizing(X);
    if (pressMode_ == TPressModeEh::DraggingRows) {
        const TGridCoord cell = MouseCoord(X, Y);
        TGridDrawInfo info;
        CalcDrawInfo(info);
        if (cell.Y >= FixedRows() && cell.Y <= info.Vert.LastFullVisibleCell + 1)
            RowAtDragPoint(X, Y);
    }
    if (traced)
        TCustomControl::MouseMove(Shift, X, Y);
    else
        TCustomGrid::MouseMove(Shift, X, Y);
}

void TCustomDBGridEh::MouseMoveTitle(int X, int Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    const bool over = cell.X == pressedTitleColumn_ && cell.Y == 0 && ClientRect().Contains({X, Y});
    if (over != titlePressShown_) {
        titlePressShown_ = over;
        InvalidateCell(pressedTitleColumn_, 0);
    }
    if (std::abs(X - mousePressPoint_.X) <= kColumnMoveSlack || !options_.Contains(gdoColumnResizeEh))
        return;
    const TPoint press = mousePressPoint_;
    CancelMouseTracking();
    if (GetCaptureControl() != this)
        SetCaptureControl(this);
    Canvas()->Pen()->SetColor(clSilver);
    TCustomGrid::MouseDown(mbLeft, {}, press.X, press.Y);
}

void TCustomDBGridEh::MouseMoveTracking(TShiftState Shift, int X, int Y) {
    X = std::clamp(X, 0, std::max(0, ClientWidth() - 1));
    Y = std::clamp(Y, 0, std::max(0, ClientHeight() - 1));
    const TGridCoord cell = MouseCoord(X, Y);
    const bool moved = mousePoint_.X != mousePressPoint_.X || mousePoint_.Y != mousePressPoint_.Y;
    if (InDataRows(cell) && dataLink_->Active()) {
        const int distance = cell.Y - topDataOffset_ - dataLink_->ActiveRecord();
        if (distance != 0)
            MoveRows(Shift.Contains(ssLeft) && moved, distance, GridDragState() != dgsSelectingRectEh, false);
    }
    if (horzAutoScroll_ && cell.X >= indicatorOffset_ && cell.X != Col()) {
        MoveToColumn(cell.X, 0, false);
        TDBGridEhSelection* selection = selection_.get();
        if (GridDragState() == dgsSelectingRectEh && selection != nullptr && dataLink_->Active())
            selection->Rect().ExtendTo(GridColToDataCol(Col()), dataLink_->DataSet()->GetBookmark(), true);
    }
    trackingShift_ = Shift;
    AutoScrollTick();
}

void TCustomDBGridEh::MouseMoveSizing(int X) {
    if (pressMode_ == TPressModeEh::SizingFrozen && !extOptions_.Contains(gxoTraceColSizingEh)) {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
        frozenSizingPos_ = X + frozenSizingOfs_;
        SetSizingPos(frozenSizingPos_);
        DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
        return;
    }
    const int pos = (UseRightToLeftAlignment() ? ClientWidth() - X : X) + frozenSizingOfs_;
    TColumnEh* column = ColumnAtGridCol(frozenSizingCol_);
    if (column == nullptr)
        return;
    const TRect cell = CellRect(frozenSizingCol_, 0);
    const int left = UseRightToLeftAlignment() ? ClientWidth() - cell.Right : cell.Left;
    if (autoFitColWidths_ && !ComponentState().Contains(csDesigning)) {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        const int count = ColCount();
        const int limit =
            info.Horz.GridBoundary + frozenSizingCol_ - count - (count - frozenSizingCol_) * GridLineWidth();
        if (pos >= limit)
            return;
    }
    frozenSizingPos_ = pos;
    column->SetWidth(std::max(1, pos - left));
}

void TCustomDBGridEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // A right press took the mouse; its release gives it back whatever path the press took.
    struct RightCaptureRelease {
        TCustomDBGridEh* grid;
        bool right;
        ~RightCaptureRelease() {
            if (right && GetCaptureControl() == grid)
                SetCaptureControl(nullptr);
        }
    } release{this, Button == mbRight};
    if (pressMode_ == TPressModeEh::SizingFrozen && !extOptions_.Contains(gxoTraceColSizingEh))
        EndFrozenSizing();
    else if (pressMode_ == TPressModeEh::DraggingRows)
        EndRowDrag(X, Y, true);
    if (selectionDragPending_) {
        selectionDragPending_ = false;
        if (Shift.Contains(ssCtrl) && options_.Contains(gdoRowSelectEh))
            selectedRows_->SelectCurrentRow(!selectedRows_->IsCurrentRowSelected());
        else if (extOptions_.Contains(gxoClearSelectionEh))
            DropSelection();
    } else if (extOptions_.Contains(gxoTraceColSizingEh) && GridState() == gsColSizing) {
        SetGridState(gsNormal);
        EndPressDragState();
        return;
    }
    const TGridDragStateEh wasDragging = GridDragState();
    EndPressDragState();
    if (GridState() == gsRowSizing)
        rowSizedByMouse_ = true;
    if (pressMode_ == TPressModeEh::TitleButton)
        MouseUpTitle(Button, Shift, X, Y);
    if (PressFollowsCells())
        CancelMouseTracking();
    if (wasDragging != dgsNoneEh)
        StopScrollTimer();
    MouseUpEnd(Button, Shift, X, Y);
    rightPressAsLeft_ = false;
}

void TCustomDBGridEh::EndFrozenSizing() {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
    int before = 0;
    for (int col = 0; col < frozenSizingCol_; ++col) before += info.Horz.Span(col);
    const int width = frozenSizingPos_ - before;
    if (width > 1)
        if (TColumnEh* column = ColumnAtGridCol(frozenSizingCol_))
            column->SetWidth(width);
}

void TCustomDBGridEh::MouseUpTitle(TMouseButton& Button, TShiftState Shift, int X, int Y) {
    const int pressed = pressedTitleColumn_;
    const TGridCoord cell = MouseCoord(X, Y);
    const bool counts =
        ClientRect().Contains({X, Y}) && cell.Y == 0 && cell.X == pressed && InTitleLeafPart(pressed, Y);
    CancelMouseTracking();
    if (counts) {
        TColumnEh* column = ColumnAtGridCol(pressed);
        TitleClick(GridColToDataCol(pressed), column);
        sortMarkingDeferred_ = Shift.Contains(ssCtrl);
        if (column != nullptr && extOptions_.Contains(gxoAutoSortMarkingEh)) {
            column->Title()->CycleSortMarker(Shift.Contains(ssCtrl));
            if (!sortMarkingDeferred_)
                SortMarkingChanged();
        }
    }
    if (rightPressAsLeft_) {
        rightPressAsLeft_ = false;
        if (GetCaptureControl() == this)
            SetCaptureControl(nullptr);
        Button = mbLeft;
    }
}

void TCustomDBGridEh::MouseUpEnd(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridState baseState = GridState();
    TCustomGrid::MouseUp(Button, Shift, X, Y);
    if (baseState == gsColSizing || baseState == gsRowSizing)
        return;
    if (TInplaceEdit* editor = InplaceEditor();
        editor != nullptr && editor->Visible() && editor->BoundsRect().Contains({X, Y}))
        return;
    const TGridCoord cell = MouseCoord(X, Y);
    TColumnEh* column = ColumnAtGridCol(cell.X);
    if (Button == mbLeft && column != nullptr) {
        if (cell.Y == 0 && cell.Y < ShowsTitles())
            TitleCellClick(column);
        else if (InDataRows(cell))
            CellClick(column);
    }
    rowSizedByMouse_ = false;
    StepCellOnRelease(Shift, cell);
}

void TCustomDBGridEh::StepCellOnRelease(TShiftState Shift, TGridCoord Cell) {
    const TGridCoord pressed = steppedCellPress_;
    steppedCellPress_ = {-1, -1};
    if (pressed.X < 0 || !(pressed == Cell) || Shift.Contains(ssDouble))
        return;
    TColumnEh* column = ColumnAtGridCol(Cell.X);
    if (column == nullptr || column->DblClickNextVal() || !column->IsEditable(false))
        return;
    column->StepValue(Shift.Contains(ssShift) ? -1 : 1);
}

void TCustomDBGridEh::CancelMouseTracking() {
    if (!PressTracked())
        return;
    if (pressMode_ == TPressModeEh::DraggingRows)
        EndRowDrag(mousePoint_.X, mousePoint_.Y, false);
    StopScrollTimer();
    if (titlePressShown_ && pressedTitleColumn_ >= 0)
        InvalidateCell(pressedTitleColumn_, 0);
    LeavePressMode();
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
}

void TCustomDBGridEh::ExtendColumnSelection(int GridCol) {
    TDBGridEhSelection* selection = selection_.get();
    TColumnEh* column = ColumnAtGridCol(GridCol);
    if (selection != nullptr && column != nullptr)
        selection->Columns().ExtendToColumn(column);
}
