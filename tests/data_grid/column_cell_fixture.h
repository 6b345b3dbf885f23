#pragma once
// A grid over the in-memory dataset for the tests of a column's cells: one record with a text,
// an integer, a Boolean, a date, a time, a float and a memo field. The grid answers the editing questions
// from its members and records that it was asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

class CellTestGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    void RebuildGridLayout() override {}
    bool GridAllowsCellEdit() override {
        calls.push_back("GridAllowsCellEdit");
        return allowsEdit;
    }
    bool EditorShown() override {
        calls.push_back("EditorShown");
        return editorShown;
    }
    std::string EditorText() override { return editorText; }
    bool EditorShowing() override { return editorShown; }
    TDBGridColumnsEh& GridColumns() { return static_cast<TDBGridColumnsEh&>(*Columns()); }

    bool allowsEdit = true;
    bool editorShown = false;
    std::string editorText;
    std::vector<std::string> calls;
};

struct CellsOverData : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    CellTestGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    CellsOverData() {
        Application->CreateForm(&form);
        grid = NewComponent<CellTestGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 240);
        ds.SetColumns({"CODE", "QTY", "PAID", "DAY", "AT", "RATE", "NOTE"});
        ds.SetColumnType(0, ftString, 20);
        ds.SetColumnType(1, ftInteger);
        ds.SetColumnType(2, ftBoolean);
        ds.SetColumnType(3, ftDate);
        ds.SetColumnType(4, ftTime);
        ds.SetColumnType(5, ftFloat);
        ds.SetColumnType(6, ftMemo);
        ds.AddRow({Variant("B"), Variant(3), Variant(true), Variant::Null(), Variant::Null(), Variant(1.5),
                   Variant("first line")});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
        grid->SetDataSource(source);
    }
    ~CellsOverData() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    TColumnEh* ColumnFor(const std::string& fieldName) {
        TColumnEh* column = grid->GridColumns().Add();
        column->SetFieldName(fieldName);
        return column;
    }
    static void SetItems(TStrings* list, const std::vector<std::string>& items) {
        list->Clear();
        for (const std::string& item : items) list->Add(item);
    }
    // Puts a value into the current record and posts it, so each case starts browsing.
    void Store(const std::string& fieldName, const Variant& value) {
        ds.Edit();
        ds.FieldByName(fieldName)->SetValue(value);
        ds.Post();
    }
};
