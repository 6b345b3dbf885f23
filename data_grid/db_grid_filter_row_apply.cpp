// The filter row's conditions: the typed text stored into the column's filter, applied through the
// program's OnFilterApply or the data service, and every filter cleared at once.
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/data_service.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "data_grid/inplace_filter_edit.h"
#include "data_grid/sum_list_grid.h"

void TCustomDBGridEh::StoreFilterText(int DataCol) {
    TColumnEh* column = ColumnAt(DataCol);
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (filter == nullptr || filterEditor_ == nullptr || column->FieldName().empty())
        return;
    filter->ParseExpressionText(filterEditor_->Text());
}

// The text is stored as it is typed; a text that does not read as a condition yet (an open quote,
// an operator still without its value) waits for Enter, which reports it.
void TCustomDBGridEh::FilterEditorChanged() {
    if (filterEditor_ == nullptr || !filterEditor_->Visible() || ColumnAt(filterCol_) == nullptr)
        return;
    if (filterEditor_->Text() == ColumnFilterText(filterCol_))
        return;
    try {
        StoreFilterText(filterCol_);
    } catch (const Exception&) {
    }
}

void TCustomDBGridEh::ApplyFilterRow() {
    if (filterEditor_ != nullptr && filterEditor_->Visible())
        StoreFilterText(filterCol_);
    const int leftCol = LeftCol();
    try {
        if (OnFilterApply)
            OnFilterApply(this);
        else
            ApplyFilter();
    } catch (...) {
        AfterFilterApplied(leftCol);
        throw;
    }
    AfterFilterApplied(leftCol);
}

// Also after a failed apply: the same columns in view, the editor over its cell again.
void TCustomDBGridEh::AfterFilterApplied(int LeftColumn) {
    if (LeftColumn >= FixedCols() && LeftColumn < ColCount())
        SetLeftCol(LeftColumn);
    PlaceFilterEditor(true);
    if (sumList_ && sumList_->Active())
        sumList_->RecalcSums();
    Invalidate();
}

void TCustomDBGridEh::ApplyFilter() {
    layoutRunning_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{layoutRunning_};
    if (TDBGridEhDataService* service = DBGridEhDataService())
        service->ApplyFilter(this);
}

void TCustomDBGridEh::ClearAllFilters() {
    LeaveFilterEditing();
    for (int i = 0; columns_ && i < columns_->Count(); ++i)
        if (TSTColumnFilterEh* filter = ColumnFilterOf(ColumnAt(i)))
            filter->Reset();
    Invalidate();
}
