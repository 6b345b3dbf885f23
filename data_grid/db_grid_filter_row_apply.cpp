// The filter row's conditions: the typed text stored into the column's filter, applied through the
// program's OnFilterApply or the data service, and every filter cleared at once.
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/data_service.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_filter_row_editing.h"
#include "data_grid/grid_unit.h"
#include "data_grid/inplace_filter_edit.h"
#include "data_grid/sum_list_grid.h"

void TCustomDBGridEh::StoreFilterText(int DataCol) {
    TColumnEh* column = ColumnAt(DataCol);
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (filter == nullptr || filterRow_->Editor == nullptr || column->FieldName().empty())
        return;
    filter->ParseExpressionText(filterRow_->Editor->Text());
}

// The text is stored as it is typed; a text that does not read as a condition yet (an open quote,
// an operator still without its value) waits for Enter, which reports it.
void TGridFilterRowEditingEh::FilterEditorChanged() {
    if (Editor == nullptr || !Editor->Visible() || grid_.ColumnAt(EditedColumn) == nullptr)
        return;
    if (Editor->Text() == grid_.ColumnFilterText(EditedColumn))
        return;
    try {
        grid_.StoreFilterText(EditedColumn);
    } catch (const Exception&) {
    }
}

void TCustomDBGridEh::ApplyFilterRow() {
    if (filterRow_->Editor != nullptr && filterRow_->Editor->Visible())
        StoreFilterText(filterRow_->EditedColumn);
    const int leftCol = LeftCol();
    try {
        if (OnFilterApply)
            OnFilterApply(this);
        else
            ApplyFilter();
    } catch (...) {
        filterRow_->AfterFilterApplied(leftCol);
        throw;
    }
    filterRow_->AfterFilterApplied(leftCol);
}

// Also after a failed apply: the same columns in view, the editor over its cell again.
void TGridFilterRowEditingEh::AfterFilterApplied(int LeftColumn) {
    if (LeftColumn >= grid_.FixedCols() && LeftColumn < grid_.ColCount())
        grid_.SetLeftCol(LeftColumn);
    grid_.PlaceFilterEditor(true);
    if (grid_.sumList_ && grid_.sumList_->Active())
        grid_.sumList_->RecalcSums();
    grid_.Invalidate();
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
