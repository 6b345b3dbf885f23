// Moving the current record and column for the keys: by rows (selecting the rows passed or
// stretching a block of cells), to a column, through the tab stops, and past the last record into
// a new one.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export_position.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"

namespace {

// Holds the grid's layout for a move; on the way out a change it put off is applied at once.
class MoveLayoutScope {
  public:
    explicit MoveLayoutScope(TCustomDBGridEh& Grid) : grid_(Grid) { grid_.LockLayout(); }
    ~MoveLayoutScope() { grid_.UnlockLayout(); }
    MoveLayoutScope(const MoveLayoutScope&) = delete;
    MoveLayoutScope& operator=(const MoveLayoutScope&) = delete;

  private:
    TCustomDBGridEh& grid_;
};

bool UntouchedInsert(TDataSet& dataSet, const TGridDataLinkEh& link) {
    return dataSet.State() == dsInsert && !dataSet.Modified() && !link.Modified();
}

}  // namespace

TDBGridEhSelection* TCustomDBGridEh::BlockSelection() const {
    return dataLink_->Active() ? selection_.get() : nullptr;
}

void TCustomDBGridEh::AfterMove() {
    // A resize that came while the move held the layout is applied now.
    if (layoutPending_)
        ApplyLayoutChange();
    if (LayoutLockCount() == 0)
        PaintNow();
}

void TCustomDBGridEh::MoveDown(bool Extend) {
    if (!dataLink_->Active())
        return;
    TDataSet* dataSet = dataLink_->DataSet();
    if (UntouchedInsert(*dataSet, *dataLink_)) {
        // A new record nobody typed into is not followed by another.
        if (dataSet->Eof())
            return;
        dataSet->Cancel();
    } else {
        MoveRows(Extend, 1, !allowedSelections_.Contains(gskRectangleEh), false);
    }
    if (dataSet->Eof() && dataSet->CanModify() && !readOnly_ && options_.Contains(gdoEditingEh) &&
        allowedOperations_.Contains(alopAppendEh))
        dataSet->Append();
}

void TCustomDBGridEh::MoveUp(bool Extend) {
    if (!dataLink_->Active())
        return;
    TDataSet* dataSet = dataLink_->DataSet();
    if (UntouchedInsert(*dataSet, *dataLink_) && dataSet->Eof())
        dataSet->Cancel();
    else
        MoveRows(Extend, -1, !allowedSelections_.Contains(gskRectangleEh), false);
}

void TCustomDBGridEh::TabToColumn(bool Forward) {
    DropSelection();
    {
        MoveLayoutScope lock(*this);
        const int start = Col();
        int col = start;
        for (;;) {
            col += Forward ? 1 : -1;
            if (col >= ColCount()) {
                MoveDown(false);
                col = indicatorOffset_;
            } else if (col < indicatorOffset_) {
                MoveUp(false);
                col = ColCount() - 1;
            }
            if (col == start)
                break;
            if (TabStops(col) && ColWidths(col) > 0) {
                MoveToColumn(col, 0, false);
                break;
            }
        }
    }
    AfterMove();
}

void TCustomDBGridEh::MoveRows(bool Select, int Distance, bool WithRows, bool ToEnd) {
    {
        MoveLayoutScope lock(*this);
        if (WithRows || options_.Contains(gdoRowSelectEh))
            StepRows(Select && allowedSelections_.Contains(gskRowsEh), Distance, ToEnd);
        else if (Select && allowedSelections_.Contains(gskRectangleEh) && BlockSelection() != nullptr)
            StretchBlock(Distance, ToEnd);
        else
            dataLink_->MoveBy(Distance);
    }
    AfterMove();
}

// One record per step; with multi-select the rows passed join the selection and a step back
// toward where the range began gives up the row it leaves.
void TCustomDBGridEh::StepRows(bool MaySelect, int Distance, bool ToEnd) {
    const int step = Distance < 0 ? -1 : 1;
    const bool selecting = options_.Contains(gdoMultiSelectEh) && dataLink_->Active();
    if (selecting && !MaySelect) {
        DropSelection();
        rowRangeAnchor_.clear();
    }
    TDataSet* dataSet = dataLink_->DataSet();
    if (selecting && MaySelect && rowRangeAnchorRecNoStale_ && !rowRangeAnchor_.empty())
        RereadRowRangeAnchorRecNo();
    for (int done = 0; ToEnd || done < std::abs(Distance); ++done) {
        if (selecting && MaySelect) {
            if (rowRangeAnchor_.empty() || selectedRows_->Count() == 0 ||
                !dataSet->BookmarkValid(rowRangeAnchor_)) {
                SetRowRangeAnchor();
                selectedRows_->SelectCurrentRow(toggleSelection_ ? !rowAnchorWasSelected_ : true);
            } else if (SideOfRowRangeAnchor() * step < 0) {
                const bool was = selectedRows_->IsCurrentRowSelected();
                selectedRows_->SelectCurrentRow(toggleSelection_ ? !was : false);
            }
        }
        if (dataLink_->MoveBy(step) == 0)
            break;
        if (selecting && MaySelect) {
            const bool was = selectedRows_->IsCurrentRowSelected();
            selectedRows_->SelectCurrentRow(toggleSelection_ ? !was : true);
        }
    }
}

void TCustomDBGridEh::SetRowRangeAnchor() {
    TDataSet* dataSet = dataLink_->DataSet();
    rowRangeAnchor_ = dataSet->GetBookmark();
    rowRangeAnchorRecNo_ = dataSet->RecNo();
    rowRangeAnchorRecNoStale_ = false;
    rowAnchorWasSelected_ = selectedRows_->IsCurrentRowSelected();
}

// The anchor's record number as the records are shown now. Reading it means going to the anchor
// and back, with the grid's window of records kept; from the anchor itself it is at hand.
void TCustomDBGridEh::RereadRowRangeAnchorRecNo() {
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataSet->State() != dsBrowse || dataSet->RecNo() <= 0 || !dataSet->BookmarkValid(rowRangeAnchor_))
        return;
    int recNo = 0;
    if (dataSet->CompareBookmarks(dataSet->GetBookmark(), rowRangeAnchor_) == 0) {
        recNo = dataSet->RecNo();
    } else {
        TGridDataPositionEh(*this).Run([&] {
            dataSet->GotoBookmark(rowRangeAnchor_);
            recNo = dataSet->RecNo();
        });
    }
    // Giving the records back to the controls marked the number stale once more.
    rowRangeAnchorRecNo_ = std::max(recNo, 0);
    rowRangeAnchorRecNoStale_ = false;
}

// -1, 0 or 1 as the current record lies above, on or below the range's anchor as the grid shows them.
// Record numbers follow the order shown; bookmarks only the order the records were read in, which a
// local sort leaves behind.
int TCustomDBGridEh::SideOfRowRangeAnchor() const {
    TDataSet* dataSet = dataLink_->DataSet();
    const int recNo = dataSet->RecNo();
    if (recNo > 0 && rowRangeAnchorRecNo_ > 0)
        return (recNo > rowRangeAnchorRecNo_) - (recNo < rowRangeAnchorRecNo_);
    const int order = dataSet->CompareBookmarks(dataSet->GetBookmark(), rowRangeAnchor_);
    return (order > 0) - (order < 0);
}

void TCustomDBGridEh::StretchBlock(int Distance, bool ToEnd) {
    TDBGridEhSelection* selection = BlockSelection();
    TDataSet* dataSet = dataLink_->DataSet();
    if (selection->Kind() != gskRectangleEh)
        selection->Rect().ExtendTo(SelectedColumnIndex(), dataSet->GetBookmark(), false);
    if (!ToEnd)
        dataLink_->MoveBy(Distance);
    else if (Distance > 0)
        dataSet->Last();
    else
        dataSet->First();
    selection->Rect().ExtendTo(SelectedColumnIndex(), dataSet->GetBookmark(), true);
}

void TCustomDBGridEh::MoveToColumn(int GridCol, int Direction, bool Extend) {
    TDBGridEhSelection* block =
        Extend && !options_.Contains(gdoRowSelectEh) && allowedSelections_.Contains(gskRectangleEh)
            ? BlockSelection()
            : nullptr;
    if (block != nullptr && block->Kind() != gskRectangleEh)
        block->Rect().ExtendTo(SelectedColumnIndex(), dataLink_->DataSet()->GetBookmark(), false);
    dataLink_->UpdateRecord();
    int col = std::clamp(GridCol, static_cast<int>(indicatorOffset_), std::max(ColCount() - 1, 0));
    if (Direction != 0) {
        while (col >= indicatorOffset_ && col < ColCount() && ColWidths(col) < 1) col += Direction;
        if (col < indicatorOffset_ || col >= ColCount())
            return;
    }
    if (col != Col() && !EnterColumn(col))
        return;
    if (block != nullptr)
        block->Rect().ExtendTo(SelectedColumnIndex(), dataLink_->DataSet()->GetBookmark(), true);
    GridEndIncrementalSearch();
}

// False when OnColumnExit moved to a column of its own choosing.
bool TCustomDBGridEh::EnterColumn(int GridCol) {
    const int from = Col();
    if (!columnExitRunning_) {
        columnExitRunning_ = true;
        try {
            ColExit();
        } catch (...) {
            columnExitRunning_ = false;
            throw;
        }
        columnExitRunning_ = false;
        if (Col() != from)
            return false;
    }
    if (!options_.Contains(gdoAlwaysShowEditorEh))
        HideEditor();
    if (!options_.Contains(gdoRowSelectEh)) {
        // A frozen column is already in view: the current cell moves without scrolling.
        if (GridCol < indicatorOffset_ + frozenCols_)
            MoveColRow(GridCol, Row(), true, false);
        else
            SetCol(GridCol);
    }
    TColumnEh* column = ColumnAt(GridColToDataCol(GridCol));
    if (column != nullptr && !StepsInPlace(*column) && options_.Contains(gdoAlwaysShowEditorEh) &&
        !FilterEditingActive())
        ShowCellEditor();
    ColEnter();
    return true;
}
