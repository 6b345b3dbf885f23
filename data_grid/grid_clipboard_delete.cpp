// Deleting the selection: the selected records, or the selected cells cleared (a block or
// whole columns), or every record; asked first with the grid's confirm-delete option.
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_value_field.h"
#include "data_grid/grid_clipboard.h"
#include "data_grid/grid_export_position.h"
#include "data_grid/grid_import.h"
#include "data_grid/grid_selection.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/dialogs.h"

namespace {

TColumnEh* ColumnOf(IGridColumnEh* Column) {
    return dynamic_cast<TColumnEh*>(Column);
}

// The question before the kind's delete; true to go on.
bool ConfirmGridDelete(TCustomDBGridEh& Grid, TGridSelectionKindEh Kind) {
    std::string text;
    if (Kind == gskRowsEh)
        text = Grid.SelectedRowsPart()->Count() < 2 ? "Delete record?" : "Delete all selected records?";
    else if (Kind == gskRectangleEh || Kind == gskColumnsEh)
        text = "Очистить выделенные ячейки?";
    else if (Kind == gskAllEh)
        text = "Delete all selected records?";
    if (text.empty() || !Grid.Options().Contains(gdoConfirmDeleteEh))
        return true;
    return MessageBox(text, "Confirm", MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
}

void ClearRowCells(const std::vector<TColumnEh*>& Columns) {
    for (TColumnEh* column : Columns) {
        if (!column->IsEditable(false))
            continue;
        TField* field = ColumnValueField(*column);
        if (field == nullptr || field->DataSet() == nullptr)
            continue;
        TDataSet& dataSet = *field->DataSet();
        if (dataSet.CanModify() && dataSet.State() != dsEdit && dataSet.State() != dsInsert)
            dataSet.Edit();
        if (dataSet.State() == dsEdit || dataSet.State() == dsInsert)
            field->Clear();
    }
}

std::vector<TColumnEh*> VisibleColumnsBetween(TCustomDBGridEh& Grid, int From, int To) {
    std::vector<TColumnEh*> columns;
    for (int i = std::max(From, 0); i <= To && i < Grid.ColumnsPart()->Count(); ++i)
        if (TColumnEh* column = ColumnOf(Grid.ColumnsPart()->Items(i));
            column != nullptr && column->Visible())
            columns.push_back(column);
    return columns;
}

void DeleteSelectedRows(TCustomDBGridEh& Grid, TDataSet& DataSet) {
    std::vector<std::string> bookmarks;
    for (int i = 0; i < Grid.SelectedRowsPart()->Count(); ++i)
        bookmarks.push_back(Grid.SelectedRowsPart()->ItemAt(i));
    DataSet.DisableControls();
    try {
        for (const std::string& bookmark : bookmarks) {
            DataSet.GotoBookmark(bookmark);
            DataSet.Delete();
        }
    } catch (...) {
        DataSet.EnableControls();
        throw;
    }
    DataSet.EnableControls();
    Grid.Selection()->Reset();
}

void ClearRectangle(TCustomDBGridEh& Grid, TDataSet& DataSet) {
    TDBGridEhSelectionRect& rect = Grid.Selection()->Rect();
    const std::vector<TColumnEh*> columns =
        VisibleColumnsBetween(Grid, rect.LeftColIndex(), rect.RightColIndex());
    rect.ForEachRow(DataSet, [&columns] { ClearRowCells(columns); });
}

void ClearColumns(TCustomDBGridEh& Grid, TDataSet& DataSet) {
    TDBGridEhSelectionCols& selected = Grid.Selection()->Columns();
    std::vector<TColumnEh*> columns;
    for (int i = 0; i < selected.Count(); ++i)
        if (TColumnEh* column = ColumnOf(selected.Items(i)))
            columns.push_back(column);
    DataSet.First();
    while (!DataSet.Eof()) {
        ClearRowCells(columns);
        DataSet.Next();
    }
}

// A delete that leaves the same record first (a dataset showing deleted records, a delete that
// does nothing) ends the walk instead of repeating it for ever.
void DeleteAllRecords(TDataSet& DataSet) {
    DataSet.First();
    while (!DataSet.IsEmpty() && !DataSet.Eof()) {
        const std::string before = DataSet.GetBookmark();
        DataSet.Delete();
        DataSet.First();
        if (!DataSet.IsEmpty() && !DataSet.Eof() &&
            DataSet.CompareBookmarks(DataSet.GetBookmark(), before) == 0)
            break;
    }
}

}  // namespace

void GridDeleteSelection(TCustomDBGridEh* Grid, bool WholeGrid) {
    const TGridSelectionKindEh kind = WholeGrid ? gskAllEh : Grid->Selection()->Kind();
    TDataSet* dataSet = Grid->DataSource() != nullptr ? Grid->DataSource()->DataSet() : nullptr;
    if (kind == gskNoneEh || dataSet == nullptr || !dataSet->Active())
        return;
    if (!ConfirmGridDelete(*Grid, kind))
        return;
    switch (kind) {
        case gskRowsEh:
            return DeleteSelectedRows(*Grid, *dataSet);
        case gskRectangleEh:
            return TGridDataPositionEh(*Grid).Run([&] { ClearRectangle(*Grid, *dataSet); });
        case gskColumnsEh:
            return TGridDataPositionEh(*Grid).Run([&] { ClearColumns(*Grid, *dataSet); });
        default: {
            dataSet->DisableControls();
            try {
                DeleteAllRecords(*dataSet);
            } catch (...) {
                dataSet->EnableControls();
                throw;
            }
            dataSet->EnableControls();
        }
    }
}
