#pragma once
// A lookup grid with the focus on a headless form, listing people of the in-memory dataset by
// NAME and CITY and choosing their ID; a visits dataset can serve as its master.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/spec_row.h"
#include "data_grid/columns.h"
#include "data_grid/grid_unit.h"
#include "data_grid/lookup_grid.h"
#include "data_grid/lookup_grid_columns.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/database_error.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/support/memory_dataset.h"

namespace lookup_grid_test {

inline const std::string LongName(40, 'x');

struct LookupGridFixture {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    TDBLookupGridEh* grid = nullptr;
    TMemoryDataSet people;
    TDataSource* peopleSource = nullptr;

    LookupGridFixture() {
        people.SetColumns({"ID", "NAME", "CITY"});
        people.SetColumnType(0, ftInteger);
        people.SetColumnType(1, ftString, 40);
        people.SetColumnType(2, ftString, 20);
        const std::vector<std::vector<Variant>> rows = {{1, "Alpha", "Москва"}, {2, "Abc", "Тверь"},
                                                        {3, "Bravo", "Омск"},   {4, "Борис", "Курск"},
                                                        {5, "борщ", "Псков"},   {6, LongName, "Тула"}};
        for (const auto& row : rows) people.AddRow(row);
        people.Open();
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 800, 400);
        peopleSource = NewComponent<TDataSource>(form);
        peopleSource->SetDataSet(&people);
        grid = NewComponent<TDBLookupGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 700, 200);
        grid->SetListSource(peopleSource);
        grid->SetKeyField("ID");
        grid->SetListField("NAME;CITY");
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
    }
    ~LookupGridFixture() {
        grid->SetDataSource(nullptr);
        grid->TCustomDBGridEh::SetDataSource(nullptr);
        people.BeforeDestruction();
    }
    void Press(WORD key) {
        ui.PressKey(key);
        ui.ProcessMessages();
    }
    void Type(const std::string& text) {
        ui.TypeText(text);
        ui.ProcessMessages();
    }
    void ShowSpecRow(const std::string& cells = "(нет);-") {
        grid->SpecRow()->SetCellsText(cells);
        grid->SpecRow()->SetVisible(true);
    }
    TDBGridColumnsEh& Columns() const { return static_cast<TDBGridColumnsEh&>(grid->Columns()->Stored()); }
    int CurrentId() { return people.FieldByName("ID")->AsInteger(); }
};

}  // namespace lookup_grid_test
