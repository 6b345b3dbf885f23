#pragma once
// A data grid on a shown headless form over the in-memory dataset, with the program's find dialog
// opened for it: three columns (ID, NAME, CITY) over records whose texts differ in letter case and
// script, one record holding the same word in two columns and one with an empty name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/find_dialog.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/push_button.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/data_grid/people_grid.h"
#include "tests/support/memory_dataset.h"

namespace find_dialog_test {

struct Person {
    int id;
    const char* name;
    const char* city;
};

inline const std::vector<Person> People = {{1, "Alpha", "Москва"},
                                           {2, "bravo тверь", "Тверь"},
                                           {3, "Борис", "Омск"},
                                           {4, "борщ", "Курск"},
                                           {5, "", "Псков"}};

struct GridWithFindDialog {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    GridWithFindDialog() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 300);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 280);
        source = ShowPeopleInGrid(*grid, ds, People, 20, form);
        form->Show();
        ui.ProcessMessages();
    }
    ~GridWithFindDialog() {
        if (grid != nullptr)
            grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }

    TDBGridEhFindDlg& Open(const std::string& text = "", const TColumnFieldsArrEh& fields = {}) {
        DBGridEhUnit()->FindHook(grid, text, fields, false);
        ui.ProcessMessages();
        return *GridFindDialog();
    }
    int RecordId() const { return ds.FieldByName("ID")->AsInteger(); }
    std::string CurrentColumn() const {
        auto* column = dynamic_cast<TColumnEh*>(grid->Columns()->Items(grid->SelectedColumnIndex()));
        return column != nullptr ? column->FieldName() : std::string();
    }
    void SelectColumn(const std::string& name) {
        for (int i = 0; i < grid->Columns()->Count(); ++i)
            if (static_cast<TColumnEh*>(grid->Columns()->Items(i))->FieldName() == name)
                grid->SelectColumnByIndex(i);
    }
    void GoTo(int id) {
        ds.First();
        while (!ds.Eof() && RecordId() != id) ds.Next();
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& box : ui.System().MessageBoxes()) texts.push_back(box.Text);
        return texts;
    }
};

}  // namespace find_dialog_test
