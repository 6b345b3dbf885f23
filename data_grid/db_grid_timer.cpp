// Timer 1 of the grid window: auto-scrolling while the mouse selects past an edge of the data
// cells, and following the pointer while records are dragged.
#include <algorithm>

#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/ui/input.h"
#include "platform/ui/timers.h"

namespace {

// The host's timers never fire at 0 ms; the window system's shortest interval stands in.
constexpr int kShortestTimerMs = 10;
// Rows moved per tick: one per 6 pixels past the edge, at most 8.
constexpr int kPixelsPerRow = 6;
constexpr int kMostRowsPerTick = 8;

int TickInterval(int Distance, int PerPixel) {
    return std::max(0, 200 - PerPixel * Distance);
}

// How far a position lies outside the span [Low, High): the distance in pixels, and in Dir the side
// (-1 before, 1 after, 0 inside).
int DistanceOutside(int Pos, int Low, int High, int& Dir) {
    Dir = Pos < Low ? -1 : (Pos >= High ? 1 : 0);
    if (Dir < 0)
        return Low - Pos;
    return Dir > 0 ? Pos - High + 1 : 0;
}

}  // namespace

void TCustomDBGridEh::StartScrollTimer(int Interval) {
    if (scrollTimerRunning_ && scrollTimerInterval_ == Interval)
        return;
    SetTimer(Handle(), ScrollTimerId, static_cast<UINT>(std::max(Interval, kShortestTimerMs)));
    scrollTimerRunning_ = true;
    scrollTimerInterval_ = Interval;
}

void TCustomDBGridEh::StopScrollTimer() {
    if (scrollTimerRunning_ && HandleAllocated())
        KillTimer(Handle(), ScrollTimerId);
    scrollTimerRunning_ = false;
    scrollTimerInterval_ = -1;
}

// The data cells shown, in client pixels (right and bottom outside).
TRect TCustomDBGridEh::DataCellsPixels() {
    TGridDrawInfoEh info;
    CalcGridDrawInfo(info);
    const TGridRect area = DataCellArea();
    int bottom = info.Vert.FixedBoundary;
    for (int row = TopRow(); row <= area.Bottom && bottom < info.Vert.GridBoundary; ++row)
        bottom += info.Vert.Span(row);
    bottom = std::min(bottom, info.Vert.GridBoundary);
    int left = 0;
    for (int col = 0; col < indicatorOffset_; ++col) left += info.Horz.Span(col);
    return TRect{left, info.Vert.FixedBoundary, info.Horz.GridBoundary, bottom};
}

void TCustomDBGridEh::AutoScrollTick() {
    if (pressMode_ == TPressModeEh::SelectingColumns)
        AutoScrollColumns(mousePoint_.X);
    else
        AutoScrollCells(mousePoint_.X, mousePoint_.Y);
}

void TCustomDBGridEh::AutoScrollColumns(int X) {
    const TRect data = DataCellsPixels();
    TGridDrawInfo info;
    CalcDrawInfo(info);
    int distance = 0;
    if (X >= data.Right) {
        distance = X - data.Right + 1;
        if (info.Horz.LastFullVisibleCell < ColCount() - 1) {
            SetLeftCol(LeftCol() + 1);
            CalcDrawInfo(info);
            ExtendColumnSelection(std::min(info.Horz.LastFullVisibleCell + 1, ColCount() - 1));
        } else {
            ExtendColumnSelection(ColCount() - 1);
        }
    } else if (X < info.Horz.FixedBoundary) {
        distance = info.Horz.FixedBoundary - X;
        if (LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        ExtendColumnSelection(LeftCol());
    } else {
        return;
    }
    StartScrollTimer(TickInterval(distance, 10));
}

void TCustomDBGridEh::AutoScrollCells(int X, int Y) {
    const TRect data = DataCellsPixels();
    TGridDrawInfo info;
    CalcDrawInfo(info);
    int vertDir = 0;
    const int vert = DistanceOutside(Y, data.Top, data.Bottom, vertDir);
    int horzDir = 0;
    const int horz = DistanceOutside(X, data.Left, data.Right, horzDir);
    if (vertDir == 0 && horzDir == 0) {
        StopScrollTimer();
        return;
    }
    const int rows = vertDir * std::min(vert / kPixelsPerRow, kMostRowsPerTick);
    LockLayout();
    try {
        if (GridDragState() != dgsSelectingRectEh && rows != 0)
            MoveRows(trackingShift_.Contains(ssLeft), rows, false, false);
        if (horzDir != 0) {
            if (horzAutoScroll_) {
                if (horzDir < 0 && LeftCol() > FixedCols())
                    SetLeftCol(LeftCol() - 1);
                else if (horzDir > 0 && info.Horz.LastFullVisibleCell < ColCount() - 1)
                    SetLeftCol(LeftCol() + 1);
            }
            if (GridDragState() != dgsSelectingRowsEh)
                MoveToColumn(Col() + horzDir, horzDir, false);
        }
        if (GridDragState() == dgsSelectingRectEh) {
            if (rows != 0 && dataLink_->Active())
                dataLink_->DataSet()->MoveBy(rows);
            TDBGridEhSelection* selection = selection_.get();
            if (selection != nullptr && selection->Kind() == gskRectangleEh && dataLink_->Active()) {
                const int col = LeftCol() == FixedCols() && horzDir < 0 ? 0 : GridColToDataCol(Col());
                selection->Rect().ExtendTo(col, dataLink_->DataSet()->GetBookmark(), true);
            }
        }
    } catch (...) {
        UnlockLayout();
        throw;
    }
    UnlockLayout();
    if (LayoutLockCount() == 0)
        PaintNow();
    StartScrollTimer(TickInterval(std::max(vert, horz), 15));
}

void TCustomDBGridEh::TimedScroll(TGridScrollDirection Direction) {
    if (dataLink_->Active()) {
        if (Direction.Contains(sdUp))
            dataLink_->MoveBy(-(dataLink_->ActiveRecord() + 1));
        else if (Direction.Contains(sdDown))
            dataLink_->MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
        Direction = Direction - TGridScrollDirection{sdUp, sdDown};
    }
    if (Direction != TGridScrollDirection{})
        TCustomGrid::TimedScroll(Direction);
}

void TCustomDBGridEh::ScrollTimerMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    if (PressFollowsCells() || pressMode_ == TPressModeEh::SelectingColumns) {
        AutoScrollTick();
    } else if (pressMode_ == TPressModeEh::DraggingRows) {
        TPoint pointer;
        GetCursorPos(pointer);
        pointer = ScreenToClient(pointer);
        RowAtDragPoint(pointer.X, pointer.Y);
    }
}
