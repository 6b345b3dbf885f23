// Rows: how many the grid has and how high the filler row is, the current row following the
// dataset's active record, and the data rows scrolled with the dataset.
#include <algorithm>
#include <cstdlib>

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_inplace_search.h"
#include "data_grid/grid_routines.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/window_update.h"

namespace {

bool AnyColumnHidesDuplicates(IGridColumnsEh* Columns) {
    for (int i = 0; Columns != nullptr && i < Columns->Count(); ++i)
        if (auto* column = dynamic_cast<TColumnEh*>(Columns->Items(i)); column && column->HideDuplicates())
            return true;
    return false;
}

}  // namespace

void TCustomDBGridEh::RecalcRowCount() {
    if (!dataLink_)
        return;
    const int top = topDataOffset_;
    if (top >= RowCount()) {
        if (Row() > top)
            SetRow(top);
        SetRowCount(top + 1);
    }
    if (FixedRows() != top)
        SetFixedRows(top);
    const int line = RowLineWidth();
    const int rowSpan = DefaultRowHeight() + line;
    int used = 0;
    if (ShowsTitles() > 0)
        used += RowHeights(0) + line;
    used += SubTitleRowCount() * rowSpan + footerRowCount_ * rowSpan + (footerRowCount_ > 0 ? line : 0);
    SetRowHeightsKeepingTitle(DefaultRowHeight());
    const int oldRowCount = RowCount();
    if (TopRow() != FixedRows())
        SetTopRow(FixedRows());
    const int client = ClientHeight();
    if (dataLink_->Active() && dataLink_->RecordCount() != 0 && HandleAllocated()) {
        dataLink_->SetBufferCount(std::max(1, (client - used) / rowSpan));
        const int records = dataLink_->RecordCount();
        const int rows = records + top;
        if (footerRowCount_ == 0) {
            SetRowCount(rows);
        } else {
            SetRowCount(rows + footerRowCount_ + 1);
            const int filler = std::max(0, client - used - records * rowSpan);
            if (RowHeights(rows) != filler)
                SetRowHeights(rows, filler);
        }
        ActiveRecordChanged();
    } else {
        SetRowCount(top + 1);
        if (footerRowCount_ > 0 && HandleAllocated()) {
            SetRowCount(top + 1 + footerRowCount_ + 1);
            const int filler = std::max(0, client - used - rowSpan);
            if (RowHeights(top + 1) != filler)
                SetRowHeights(top + 1, filler);
        }
    }
    if (RowCount() != oldRowCount)
        Invalidate();
}

void TCustomDBGridEh::ActiveRecordChanged() {
    if (!search_->KeepSearch)
        GridEndIncrementalSearch();
    if (!dataLink_->Active() || !HandleAllocated() || ComponentState().Contains(csLoading))
        return;
    const int target = dataLink_->ActiveRecord() + topDataOffset_;
    if (target != Row() && target < RowCount()) {
        if (!options_.Contains(gdoAlwaysShowEditorEh))
            HideEditor();
        MoveColRow(Col(), target, true, false);
        RefreshEditors();
        return;
    }
    TField* field = SelectedField();
    if (field != nullptr && EditorShown() && field->Text() != EditorText())
        RefreshEditors();
}

void TCustomDBGridEh::LinkDataSetChanged() {
    rowRangeAnchorRecNoStale_ = true;
    if (!HandleAllocated())
        return;
    RecalcRowCount();
    FollowVertScrollBar();
    ActiveRecordChanged();
    RefreshEditors();
    ValidateRect(Handle(), nullptr);
    InvalidateRect(Handle(), nullptr, false);
}

// The bar may appear or go: auto-fitted widths then need the client width the bar leaves.
void TCustomDBGridEh::FollowVertScrollBar() {
    const bool shown = IsScrollBarVisible(Handle(), SB_VERT);
    RefreshVertScrollBar();
    if (shown != IsScrollBarVisible(Handle(), SB_VERT) && autoFitColWidths_ &&
        !ComponentState().Contains(csDesigning)) {
        BeginLayout();
        PostDeferredUpdate();
    }
}

TRect TCustomDBGridEh::WholeRowRect(int ARow) {
    TRect rect = BoxRect(0, ARow, ColCount() - 1, ARow);
    rect.Left = 0;
    rect.Right = ClientWidth();
    return rect;
}

// The first move since the grid painted is drawn as it happens: its row marks and, when the rows
// scrolled, their pixels. Later moves before the next paint only move the current row; what they
// change on screen waits for the message loop, which applies every such move at once.
void TCustomDBGridEh::LinkDataSetScrolled(int Distance) {
    if (!HandleAllocated())
        return;
    if (!movedSincePaint_) {
        movedSincePaint_ = true;
        ShowDataMove(Distance);
        return;
    }
    if (dataLink_->ActiveRecord() >= RowCount() - topDataOffset_)
        RecalcRowCount();
    ActiveRecordChanged();
    if (Distance != 0) {
        HideEditor();
        if (options_.Contains(gdoAlwaysShowEditorEh))
            ShowEditor();
    }
    if (!movesWaiting_) {
        movesWaiting_ = true;
        PostMessage(Handle(), WM_DATA_MOVES_EH, 0, DeferredLayoutMarkEh);
    }
}

void TCustomDBGridEh::ShowDataMove(int Distance) {
    const int oldRow = Row();
    const TRect oldRect = WholeRowRect(oldRow);
    if (dataLink_->ActiveRecord() >= RowCount() - topDataOffset_)
        RecalcRowCount();
    FollowVertScrollBar();
    ActiveRecordChanged();
    InvalidateRect(Handle(), &oldRect, false);
    const TRect newRect = WholeRowRect(Row());
    InvalidateRect(Handle(), &newRect, false);
    if (Distance != 0) {
        HideEditor();
        struct ShowAgain {
            TCustomDBGridEh* grid;
            ~ShowAgain() {
                if (grid->Options().Contains(gdoAlwaysShowEditorEh))
                    grid->ShowEditor();
            }
        } showAgain{this};
        if (std::abs(Distance) > VisibleDataRowCount()) {
            Invalidate();
        } else {
            ScrollDataRows(Distance);
            if (indicatorOffset_ > 0) {
                InvalidateCell(0, oldRow);
                InvalidateCell(0, Row());
            }
        }
        if (AnyColumnHidesDuplicates(columns_.get()))
            InvalidateRow(topDataOffset_);
    }
    InvalidateFooterRows();
}

void TCustomDBGridEh::InvalidateFooterRows() {
    for (int row = RowCount() - footerRowCount_; row < RowCount(); ++row) InvalidateRow(row);
}

// The moves that waited since the first: the scroll bar follows once, and the rows, their indicator
// and the footers are painted afresh once, whichever rows the moves passed.
void TCustomDBGridEh::ApplyWaitingMoves() {
    if (!movesWaiting_)
        return;
    movesWaiting_ = false;
    if (ComponentState().Contains(csDestroying) || !HandleAllocated())
        return;
    ::DropPendingMessage(Handle(), WM_DATA_MOVES_EH);
    FollowVertScrollBar();
    TRect rows = WholeRowRect(DataCellArea().Top);
    rows.Bottom = ClientHeight();
    InvalidateRect(Handle(), &rows, false);
}

// Paints what is invalid now, with the moves that wait for the message loop applied first.
void TCustomDBGridEh::PaintNow() {
    ApplyWaitingMoves();
    Update();
}

// Moves the data rows' pixels by Distance rows; what comes into view is painted afresh. Once moved
// pixels wait for a paint, a further move repaints the rows instead: one paint then serves every
// move since, where moving the pixels again would cost a copy of the rows per record.
void TCustomDBGridEh::ScrollDataRows(int Distance) {
    const TGridRect area = DataCellArea();
    TRect rect = WholeRowRect(area.Top);
    if (footerRowCount_ > 0)
        rect.Bottom = WholeRowRect(area.Bottom).Bottom + RowLineWidth();
    else
        rect.Bottom = ClientHeight();
    if (scrollWaitsForPaint_) {
        InvalidateRect(Handle(), &rect, false);
        return;
    }
    const int dy = -Distance * (DefaultRowHeight() + RowLineWidth());
    ScrollWindowEx(Handle(), 0, dy, &rect, &rect, nullptr, nullptr, SW_INVALIDATE);
    scrollWaitsForPaint_ = true;
}

// A row the user sized gives every row its height: the grid's rows are all alike.
void TCustomDBGridEh::RowHeightsChanged() {
    if (rowSizedByMouse_) {
        rowSizedByMouse_ = false;
        const int end = RowCount() - (footerRowCount_ > 0 ? footerRowCount_ + 1 : 0);
        for (int row = ShowsTitles(); row < end; ++row) {
            if (RowHeights(row) == DefaultRowHeight())
                continue;
            rowLines_ = 0;
            SetRowHeight(RowHeights(row));
            RefreshVertScrollBar();
            break;
        }
    }
    TCustomGrid::RowHeightsChanged();
}
