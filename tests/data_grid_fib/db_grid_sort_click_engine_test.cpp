// A title click on a grid over a TpFIBDataSet on the embedded engine sorts the dataset's records
// through the grid unit's data service and the dataset features.
#include <gtest/gtest.h>

#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "data_grid_fib/fib_dataset_features.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "tests/firebird_datasets/people_engine_fixture.h"

namespace {

class GridSortClickEngine : public dstest::PeopleEngine {
  protected:
    void SetUp() override {
        PeopleEngine::SetUp();
        InitializeDBGridEhUnit();
        InitializeFIBDatasetFeatures();
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        delete form_;
        form_ = nullptr;
        PeopleEngine::TearDown();
        FinalizeFIBDatasetFeatures();
        FinalizeDBGridEhUnit();
    }
    void ClickTitle(int gridCol, TShiftState shift = {}) {
        const TRect r = grid_->CellRect(gridCol, 0);
        const TPoint origin = grid_->FormOrigin();
        const TPoint at{origin.X + (r.Left + r.Right) / 2, origin.Y + (r.Top + r.Bottom) / 2};
        // Long after the last click: no double click.
        ui_.Advance(1000);
        platform::ui::PostMouseDown(*form_, mbLeft, shift, at);
        platform::ui::PostMouseUp(*form_, mbLeft, shift, at);
        ui_.ProcessMessages();
    }

    platform::ui::HeadlessSession ui_;
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
};

TEST_F(GridSortClickEngine, ClickingATitleButtonSortsTheCachedRecordsUpThenDown) {
    auto& ds = People<TpFIBDataSet>("SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY CITY");
    ds.Open();
    const std::vector<int> before = Order(ds);
    ASSERT_NE(before, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    Application->CreateForm(&form_);
    form_->SetBorderStyle(bsNone);
    form_->SetBounds(0, 0, 500, 300);
    grid_ = NewComponent<TCustomDBGridEh>(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(0, 0, 480, 280);
    grid_->SetExtOptions(grid_->ExtOptions() + TDBGridEhExtOptions{gxoAutoSortMarkingEh});
    auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
    for (const char* field : {"ID", "NAME"}) {
        TColumnEh* column = columns.Add();
        column->SetFieldName(field);
        column->Title()->SetTitleButton(true);
    }
    auto* source = NewComponent<TDataSource>(form_);
    source->SetDataSet(&ds);
    grid_->SetDataSource(source);
    form_->Show();
    ui_.ProcessMessages();

    ClickTitle(1);
    EXPECT_EQ(Order(ds), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    ClickTitle(1);
    EXPECT_EQ(Order(ds), (std::vector<int>{7, 6, 5, 4, 3, 2, 1}));
    EXPECT_TRUE(ds.SortedByDoSort());
}

}  // namespace
