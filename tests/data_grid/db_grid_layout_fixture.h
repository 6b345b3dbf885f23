#pragma once
// A grid on a shown form over the in-memory dataset with an integer and a text field, its layout
// rebuilt for real; rows are measured with the headless host's fixed metrics.
#include <gtest/gtest.h>

#include <string>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

class LayoutTestGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::CalcDrawInfo;
    using TCustomDBGridEh::TCustomDBGridEh;
    TDBGridColumnsEh& GridColumns() { return static_cast<TDBGridColumnsEh&>(*Columns()); }
};

struct GridLayout : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    LayoutTestGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    GridLayout() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 600, 500);
        grid = NewComponent<LayoutTestGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 500, 400);
        ds.SetColumns({"ID", "NAME"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        form->Show();
        ui.ProcessMessages();
    }
    ~GridLayout() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    void Open(int Records) {
        for (int id = 1; id <= Records; ++id) ds.AddRow({Variant(id), Variant("row " + std::to_string(id))});
        ds.Open();
        grid->SetDataSource(source);
        ui.ProcessMessages();
    }
    int Line() const { return grid->Options().Contains(gdoRowLinesEh) ? grid->GridLineWidth() : 0; }
    int RowSpan() const { return grid->DefaultRowHeight() + Line(); }
    int CurrentId() { return ds.FieldByName("ID")->AsInteger(); }
    // Makes the grid's client area hold the title row and exactly Rows data rows.
    void ShowRows(int Rows) {
        const int frame = grid->Height() - grid->ClientHeight();
        grid->SetHeight(frame + grid->RowHeights(0) + Line() + Rows * RowSpan() + RowSpan() / 2);
        ui.ProcessMessages();
    }
};
