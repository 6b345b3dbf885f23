#pragma once
// A focused data grid on a headless form over the in-memory dataset, with the clipboard actions
// plugged in: columns ID (integer), NAME and CITY (strings) over the given rows. Tests type the
// grid's shortcuts, answer its questions through the headless message boxes and read the rows
// the dataset stored.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_clipboard.h"
#include "data_grid/grid_import.h"
#include "data_grid/grid_selection.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/people_grid.h"
#include "tests/support/memory_dataset.h"

namespace grid_import_test {

struct Person {
    int id;
    std::string name;
    std::string city;
};

using People = std::vector<Person>;
inline const std::vector<Person> ThreePeople = {
    {1, "Alpha", "Москва"}, {2, "Bravo", "Тверь"}, {3, "Gamma", "Омск"}};

// The in-memory dataset's bookmark of a row: its id.
inline std::string BookmarkOf(int id) {
    std::string bookmark(sizeof(int), '\0');
    std::memcpy(bookmark.data(), &id, sizeof(int));
    return bookmark;
}

struct ImportGrid {
    static constexpr int IdCol = 0;
    static constexpr int NameCol = 1;
    static constexpr int CityCol = 2;
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;
    TDBGridEhClipboardActions actions;

    explicit ImportGrid(const std::vector<Person>& people = ThreePeople) {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 400);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 300);
        source = ShowPeopleInGrid(*grid, ds, people, 40, form);
        grid->SetEditActions({geaCutEh, geaCopyEh, geaPasteEh, geaDeleteEh, geaSelectAllEh});
        grid->SetEditActionsHandler(&actions);
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
        Clipboard()->Clear();
    }
    ~ImportGrid() {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    ImportGrid(const ImportGrid&) = delete;
    ImportGrid& operator=(const ImportGrid&) = delete;

    void Press(WORD key, TShiftState shift = {}) {
        ui.PressKey(key, shift);
        ui.ProcessMessages();
    }
    void Ctrl(char key) { Press(static_cast<WORD>(key), TShiftState{ssCtrl}); }
    TColumnEh* Column(int dataCol) const {
        return static_cast<TDBGridColumnsEh&>(*grid->Columns()).ColumnAt(dataCol);
    }
    TDBGridEhSelection& Selection() const { return dynamic_cast<TDBGridEhSelection&>(*grid->Selection()); }
    void GoTo(int id) {
        ds.First();
        while (!ds.Eof() && ds.FieldByName("ID")->AsInteger() != id) ds.Next();
    }
    // Current record and column.
    void Place(int id, int dataCol) {
        GoTo(id);
        grid->SelectColumnByIndex(dataCol);
    }
    void SelectRows(const std::vector<int>& ids) {
        for (int id : ids) {
            GoTo(id);
            grid->SelectedRows()->SelectCurrentRow(true);
        }
    }
    void SelectColumns(const std::vector<int>& dataCols) {
        for (int col : dataCols) Selection().Columns().SelectColumn(Column(col), true);
    }
    void SelectBlock(int col1, int id1, int col2, int id2) {
        Selection().Rect().ExtendTo(col1, BookmarkOf(id1), false);
        Selection().Rect().ExtendTo(col2, BookmarkOf(id2), true);
    }
    // "id|name|city" per stored row; NULL shown as "~".
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < ds.StoredRowCount(); ++i) {
            std::string row;
            for (int c = 0; c < ds.ColumnCount(); ++c) {
                const Variant& v = ds.StoredRow(i).at(static_cast<std::size_t>(c));
                row += (c > 0 ? "|" : "") + (v.IsNull() || v.IsEmpty() ? std::string("~") : v.AsString());
            }
            rows.push_back(row);
        }
        return rows;
    }
    void ImportText(const std::string& text, bool all = false) {
        TMemoryStream stream;
        stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        stream.SetPosition(0);
        ImportGridFromStream(ImportClass<TDBGridEhImportAsText>(), grid, stream, all);
    }
    void ImportVclDbIf(const std::string& bytes, bool all = false) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        stream.SetPosition(0);
        ImportGridFromStream(ImportClass<TDBGridEhImportAsVCLDBIF>(), grid, stream, all);
    }
    const std::vector<platform::ui::HeadlessWindowSystem::MessageBoxShown>& Boxes() {
        return ui.System().MessageBoxes();
    }
};

}  // namespace grid_import_test
