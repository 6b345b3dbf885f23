#pragma once
// A data grid on a borderless headless form over 30 in-memory records (ID, NAME, CITY shown; PAID
// for the tests that add its check-box column), with
// helpers that drive the mouse and the keyboard at points of the grid's client area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/data_grid/row_id_bookmarks.h"
#include "tests/support/memory_dataset.h"

namespace grid_mouse_test {

using row_id_bookmarks::BookmarkOf;

// Opens the grid's protected state to the tests.
class MouseGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::CalcDrawInfo;
    using TCustomDBGridEh::CalcSizingState;
    using TCustomDBGridEh::GridState;
    using TCustomDBGridEh::SizingPos;
    using TCustomDBGridEh::TCustomDBGridEh;
    // Set false: the grid cannot take the focus when pressed.
    bool TryFocusGrid() override { return mayFocus && TCustomDBGridEh::TryFocusGrid(); }
    bool mayFocus = true;
};

class GridMouseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 520, 420);
        grid = NewComponent<MouseGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(10, 10, 400, 300);
        ds.SetColumns({"ID", "NAME", "CITY", "PAID"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 30);
        ds.SetColumnType(2, ftString, 30);
        ds.SetColumnType(3, ftBoolean);
        for (int id = 1; id <= 30; ++id)
            ds.AddRow({Variant(id), Variant("name " + std::to_string(id)), Variant("city"), Variant(false)});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        for (const char* field : {"ID", "NAME", "CITY"}) {
            TColumnEh* column = columns.Add();
            column->SetFieldName(field);
            column->SetWidth(80);
        }
        grid->SetDataSource(source);
        form->Show();
        ui.ProcessMessages();
        grid->SetFocus();
        ui.ProcessMessages();
    }
    void TearDown() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
    TColumnEh* Column(int index) const {
        return static_cast<TColumnEh*>(static_cast<TDBGridColumnsEh&>(*grid->Columns()).Items(index));
    }
    TPoint FormPoint(TPoint client) const {
        TPoint origin = grid->FormOrigin();
        return {origin.X + client.X, origin.Y + client.Y};
    }
    // A press long after the last one: never the second half of a double click.
    void Press(TPoint p, TShiftState shift = {}, TMouseButton button = mbLeft) {
        ui.Advance(1000);
        PressAtOnce(p, shift, button);
    }
    void PressAtOnce(TPoint p, TShiftState shift = {}, TMouseButton button = mbLeft) {
        platform::ui::PostMouseDown(*form, button, shift, FormPoint(p));
        ui.ProcessMessages();
    }
    void MoveTo(TPoint p, TShiftState shift = {ssLeft}) {
        platform::ui::PostMouseMove(*form, shift, FormPoint(p));
        ui.ProcessMessages();
    }
    void Release(TPoint p, TShiftState shift = {}, TMouseButton button = mbLeft) {
        platform::ui::PostMouseUp(*form, button, shift, FormPoint(p));
        ui.ProcessMessages();
    }
    void Click(TPoint p, TShiftState shift = {}) {
        Press(p, shift);
        Release(p, shift);
    }
    void DoubleClick(TPoint p) {
        Click(p);
        PressAtOnce(p);
        Release(p);
    }
    // The middle of a cell, and points relative to its corners.
    TPoint Middle(int col, int row) const {
        TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    int CurrentId() const { return ds.FieldByName("ID")->AsInteger(); }
    void GoTo(int id) {
        ds.First();
        ds.MoveBy(id - 1);
    }
    std::uint32_t Pixel(int x, int y) const {
        TPoint p = FormPoint({x, y});
        return form->SurfaceImage().Pixel(p.X, p.Y);
    }

    // Makes the grid's rows end exactly at the client's bottom.
    void FitRowsToClient(int LastRow) {
        grid->SetClientHeight(grid->CellRect(1, LastRow).Bottom + grid->GridLineWidth());
        ui.ProcessMessages();
    }

    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    MouseGrid* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;
};

}  // namespace grid_mouse_test
