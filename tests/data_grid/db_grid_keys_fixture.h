#pragma once
// A data grid with the focus on a headless form over the in-memory dataset, driven by typed keys:
// three columns (ID, NAME, CITY) over a few records whose names differ in letter case and script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/data_grid/headless_grid_form.h"
#include "tests/data_grid/people_grid.h"
#include "tests/data_grid/row_id_bookmarks.h"
#include "tests/support/memory_dataset.h"

namespace grid_keys_test {

struct Person {
    int id;
    const char* name;
    const char* city;
};

inline const std::vector<Person> DefaultPeople = {{1, "Alpha", "Москва"},
                                                  {2, "bravo", "Тверь"},
                                                  {3, "Борис", "Омск"},
                                                  {4, "борщ", "Курск"},
                                                  {5, "Charlie", "Псков"}};

struct KeyedGrid : HeadlessGridForm {
    static constexpr int NameCol = 2;
    static constexpr int CityCol = 3;
    TEdit* other = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    explicit KeyedGrid(const std::vector<Person>& people = DefaultPeople) {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 400);
        other = NewComponent<TEdit>(form);
        other->SetParent(form);
        other->SetBounds(10, 360, 100, 24);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 300);
        source = ShowPeopleInGrid(*grid, ds, people, 20, form);
        grid->DataLink()->SetBufferCount(static_cast<int>(people.size()));
        grid->SetColCount(4);
        grid->SetRowCount(static_cast<int>(people.size()) + 1);
        grid->SetFixedCols(1);
        grid->SetFixedRows(1);
        grid->SetCol(NameCol);
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
    }
    ~KeyedGrid() {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    void GoTo(int id) {
        ds.First();
        while (!ds.Eof() && CurrentId() != id) ds.Next();
    }
    int CurrentId() { return ds.FieldByName("ID")->AsInteger(); }
    std::string Name() { return ds.FieldByName("NAME")->AsString(); }
    std::string StoredName(int index) const { return ds.StoredRow(index).at(1).AsString(); }
    bool EditorShown() const { return grid->InplaceEditor() != nullptr && grid->InplaceEditor()->Visible(); }
    std::string EditorText() const { return grid->InplaceEditor() ? grid->InplaceEditor()->Text() : ""; }
    std::vector<int> SelectedIds() const { return row_id_bookmarks::SelectedRowIds(*grid); }
};

// A grid of one column on a form of its own, for cases that build their own dataset: the case sets
// the grid up, opens its dataset behind the column, then shows it with the first record's cell
// current and focused.
template <class Grid = TCustomDBGridEh>
struct OneColumnGrid {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    Grid* grid = nullptr;
    TDataSource* source = nullptr;

    OneColumnGrid() {
        Application->CreateForm(&form);
        grid = NewComponent<Grid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 300, 200);
    }
    // The column, for the case to set up further before the grid is shown.
    TColumnEh* OpenColumn(TMemoryDataSet& ds, const char* field) {
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
        TColumnEh* column = static_cast<TDBGridColumnsEh&>(*grid->Columns()).Add();
        column->SetFieldName(field);
        return column;
    }
    void Show() {
        grid->SetDataSource(source);
        grid->SetColCount(2);
        grid->SetRowCount(2);
        grid->SetCol(1);
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
    }
};

}  // namespace grid_keys_test
