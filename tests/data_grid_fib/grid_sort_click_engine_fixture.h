#pragma once
// A grid over a TpFIBDataSet of the people table on the embedded engine, on a form of its own, with
// title buttons that sort the dataset's cached records through the grid unit's data service and
// the dataset features.
#include <gtest/gtest.h>

#include <initializer_list>

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
#include "platform/ui/virtual_keys.h"
#include "tests/firebird_datasets/people_engine_fixture.h"

class GridSortClickEngine : public dstest::PeopleEngine {
  protected:
    void SetUp() override {
        PeopleEngine::SetUp();
        InitializeDBGridEhUnit();
        InitializeFIBDatasetFeatures();
    }
    void TearDown() override {
        CloseGrid();
        PeopleEngine::TearDown();
        FinalizeFIBDatasetFeatures();
        FinalizeDBGridEhUnit();
    }
    // The dataset in a shown grid whose columns (title buttons) show fields.
    void ShowInGrid(TpFIBDataSet& ds, std::initializer_list<const char*> fields) {
        Application->CreateForm(&form_);
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(0, 0, 500, 300);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 480, 280);
        grid_->SetExtOptions(grid_->ExtOptions() + TDBGridEhExtOptions{gxoAutoSortMarkingEh});
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* field : fields) {
            TColumnEh* column = columns.Add();
            column->SetFieldName(field);
            column->Title()->SetTitleButton(true);
        }
        auto* source = NewComponent<TDataSource>(form_);
        source->SetDataSet(&ds);
        grid_->SetDataSource(source);
        form_->Show();
        ui_.ProcessMessages();
    }
    void CloseGrid() {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        delete form_;
        form_ = nullptr;
        grid_ = nullptr;
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
    void Press(WORD key, TShiftState shift = {}) {
        ui_.PressKey(key, shift);
        ui_.ProcessMessages();
    }

    platform::ui::HeadlessSession ui_;
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
};
