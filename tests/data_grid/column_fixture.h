#pragma once
// A grid on a shown form over the in-memory dataset with an integer, a Boolean and a text field,
// for the tests of the grid's columns. Widths are measured with the headless host's fixed metrics.
#include <gtest/gtest.h>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

// Counts the layout rebuilds.
class ColumnsTestGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::ColEnter;
    using TCustomDBGridEh::TCustomDBGridEh;
    void RebuildGridLayout() override { ++rebuilds; }
    TDBGridColumnsEh& GridColumns() { return static_cast<TDBGridColumnsEh&>(*Columns()); }
    int rebuilds = 0;
};

struct ColumnsOverData : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    ColumnsTestGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    ColumnsOverData() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 300);
        grid = NewComponent<ColumnsTestGrid>(form);
        grid->SetName("Grid1");
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 240);
        form->Show();
        ds.SetColumns({"ID", "PAID", "NAME"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftBoolean);
        ds.SetColumnType(2, ftString, 20);
        ds.AddRow({Variant(1), Variant(true), Variant("Ivanov")});
        ds.AddRow({Variant(2), Variant(false), Variant("Petrov")});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ui.ProcessMessages();
    }
    ~ColumnsOverData() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    TDBGridColumnsEh& Columns() { return grid->GridColumns(); }
    void OpenData() {
        ds.Open();
        grid->SetDataSource(source);
    }
    TColumnEh* ColumnFor(const std::string& fieldName) {
        TColumnEh* column = Columns().Add();
        column->SetFieldName(fieldName);
        return column;
    }
    // (width of "0" - overhang) * display width + overhang + 4 in the grid's font.
    int WidthOfDigits(int displayWidth) {
        grid->Canvas()->Font()->Assign(*grid->Font());
        return grid->Canvas()->TextWidth("0") * displayWidth + 4;
    }
};
