#pragma once
// A grid on a form of the headless host, for tests that drive it by keys and clicks: the grid's
// unit set up while it lives, the form made, the grid placed on it, then shown focused over a source.
#include <string>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/grid_unit_scope.h"

struct HeadlessGridForm {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;

    void CreateForm(int width, int height) {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, width, height);
    }
    void PlaceGrid(const TRect& bounds) {
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
    // The grid over Source, the form shown and the grid focused.
    void ShowGrid(TDataSource* Source) {
        grid->SetDataSource(Source);
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
    }
    TDBGridColumnsEh& Columns() const { return static_cast<TDBGridColumnsEh&>(*grid->Columns()); }
    TColumnEh* Column(int dataCol) const { return Columns().ColumnAt(dataCol); }
    // A key pressed, or a text typed, and everything it set off handled.
    void Press(WORD key, TShiftState shift = {}) {
        ui.PressKey(key, shift);
        ui.ProcessMessages();
    }
    void Type(const std::string& text) {
        ui.TypeText(text);
        ui.ProcessMessages();
    }
};
