// What the grid does for its columns: the sort-marked and visible lists, moving to a column,
// repainting one, the columns' widths when fitting to the client area, their input-method
// settings, and noticing a dataset that offers the memory-table view.
#include <algorithm>

#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"

void TCustomDBGridEh::RebuildSortMarkedList() {
    sortMarkedColumns_.clear();
    if (!columns_)
        return;
    for (int i = 0; i < columns_->Count(); ++i) {
        IGridColumnEh* column = columns_->Items(i);
        const int place = column->SortIndex() - 1;
        if (place < 0)
            continue;
        if (static_cast<int>(sortMarkedColumns_.size()) <= place)
            sortMarkedColumns_.resize(static_cast<std::size_t>(place) + 1, nullptr);
        sortMarkedColumns_[static_cast<std::size_t>(place)] = column;
    }
    // Indexes read from a form may leave gaps or repeat: the list holds only real columns.
    std::erase(sortMarkedColumns_, nullptr);
}

void TCustomDBGridEh::ForgetColumn(IGridColumnEh* Column) {
    std::erase(sortMarkedColumns_, Column);
    std::erase(visibleColumns_, Column);
}

// As a key moves it: the pending edit is written and the column events run.
void TCustomDBGridEh::SelectColumnByIndex(int DataCol) {
    const int gridCol = DataColToGridCol(DataCol);
    if (DataCol >= 0 && gridCol < ColCount() && gridCol >= FixedCols())
        MoveToColumn(gridCol, 0, false);
}

void TCustomDBGridEh::InvalidateColumn(int GridCol) {
    if (GridCol >= 0 && GridCol < ColCount())
        InvalidateCol(GridCol);
}

bool TCustomDBGridEh::CurrentColumnVisible() const {
    const int current = SelectedColumnIndex();
    if (!columns_ || current < 0 || current >= columns_->Count())
        return true;
    return columns_->Items(current)->Visible();
}

void TCustomDBGridEh::SelectFirstVisibleColumn() {
    for (int i = 0; i < columns_->Count(); ++i)
        if (columns_->Items(i)->Visible()) {
            SelectColumnByIndex(i);
            return;
        }
}

void TCustomDBGridEh::KeepColumnWidthsAsInitial() {
    if (!columns_)
        return;
    columns_->BeginUpdate();
    for (int i = 0; i < columns_->Count(); ++i)
        columns_->Items(i)->SetInitialWidth(columns_->Items(i)->Width());
    columns_->EndUpdate();
}

// The current column's own settings, else the grid's.
void TCustomDBGridEh::ApplyColumnImeSettings() {
    activeImeMode_ = imeMode_;
    activeImeName_ = imeName_;
    const int current = SelectedColumnIndex();
    if (columns_ && current >= 0 && current < columns_->Count())
        columns_->Items(current)->OwnImeSettings(activeImeMode_, activeImeName_);
}

void TCustomDBGridEh::DetectMemTable() {
    TDataSet* dataSet = dataLink_ ? dataLink_->DataSet() : nullptr;
    IMemTableEh* found = allowMemTable_ && dataSet != nullptr ? dynamic_cast<IMemTableEh*>(dataSet) : nullptr;
    if (found == memTable_)
        return;
    memTable_ = found;
    memTableDataSet_ = found != nullptr ? dataSet : nullptr;
    if (memTableDataSet_ != nullptr)
        memTableDataSet_->FreeNotification(this);
    RefreshLayout();
}
