#pragma once
// A data grid on a headless form over the in-memory dataset, for the selection and style tests.
// The layout is set by hand (the grid's own layout rebuild is not what these tests are about): a
// title row, the indicator column, four data columns and a window of visible records.
#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/data_grid/row_id_bookmarks.h"
#include "tests/support/memory_dataset.h"

namespace grid_selection_test {

// Writes down the row repaints and editor calls the selection makes; the editor calls do nothing else.
class RecordingGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    void InvalidateGridRow(int ARow) override {
        calls.push_back("repaint row " + std::to_string(ARow));
        TCustomDBGridEh::InvalidateGridRow(ARow);
    }
    void ShowCellEditor() override { calls.push_back("show editor"); }
    // The rows stay as the fixture sets them by hand.
    void RecalcRowCount() override {}
    bool KeepsEditorShown() override { return keepsEditor; }
    std::vector<std::string> calls;
    bool keepsEditor = false;

  protected:
    void RefreshEditors() override { calls.push_back("refresh editors"); }
};

using row_id_bookmarks::BookmarkOf;

struct GridOverRows {
    static constexpr int RowsShown = 5;
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    RecordingGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;
    int changes = 0;

    explicit GridOverRows(int rows = 30) {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 400);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 360, 100, 24);
        grid = NewComponent<RecordingGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 300);
        ds.SetColumns({"ID", "NAME"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        for (int id = 1; id <= rows; ++id) ds.AddRow({Variant(id), Variant("row " + std::to_string(id))});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
        grid->SetDataSource(source);
        grid->DataLink()->SetBufferCount(RowsShown);
        grid->SetColCount(5);
        grid->SetRowCount(RowsShown + 1);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->OnSelectionChange = [this](TObject*) { ++changes; };
        form->Show();
        edit->SetFocus();
        ui.ProcessMessages();
        grid->calls.clear();
    }
    ~GridOverRows() {
        if (grid != nullptr)
            grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    TDBGridEhSelection& Selection() const { return dynamic_cast<TDBGridEhSelection&>(*grid->Selection()); }
    // Makes the record with this id current.
    void GoTo(int id) {
        ds.First();
        ds.MoveBy(id - 1);
    }
    void SelectRow(int id, bool selected = true) {
        GoTo(id);
        grid->SelectedRows()->SelectCurrentRow(selected);
    }
    std::vector<int> SelectedIds() const { return row_id_bookmarks::SelectedRowIds(*grid); }
};

}  // namespace grid_selection_test
