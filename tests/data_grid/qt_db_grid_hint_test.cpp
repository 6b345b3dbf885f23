// A grid cell's cut text shown whole in its tool-tip, painted by the Qt host under the offscreen
// platform.
#include <gtest/gtest.h>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/tool_tips_window.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/hint_controller.h"
#include "platform/ui/input.h"
#include "platform/ui/popup_window.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

class QtGridHintTest : public QtHostTest {};

TEST_F(QtGridHintTest, ClippedCellShowsItsWholeTextInATooltipOverTheCell) {
    InitializeDBGridEhUnit();
    TMemoryDataSet ds;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 200);
    form->Font()->SetName("DejaVu Sans");
    form->Font()->SetSize(9);
    auto* grid = NewComponent<TCustomDBGridEh>(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 380, 180);
    ds.SetColumns({"NAME"});
    ds.SetColumnType(0, ftString, 40);
    ds.AddRow({Variant("Константинопольский Пациент")});
    auto* source = NewComponent<TDataSource>(form);
    source->SetDataSet(&ds);
    auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
    TColumnEh* column = columns.Add();
    column->SetFieldName("NAME");
    column->SetWidth(40);
    column->SetToolTips(true);
    form->Show();
    ds.Open();
    grid->SetDataSource(source);
    Application->SetShowHint(true);
    grid->ShowHint = true;
    Application->ProcessMessages();

    const TRect cell = grid->CellRect(1, 1);
    const TPoint origin = grid->FormOrigin();
    platform::ui::PostMouseMove(*form, {}, {origin.X + cell.Left + 10, origin.Y + cell.Top + 5});
    Application->ProcessMessages();
    THintWindow* shown = Application->Hints()->ShownHintWindow();
    ASSERT_NE(shown, nullptr) << "shown at once";
    EXPECT_NE(dynamic_cast<TToolTipsWindow*>(shown), nullptr);
    EXPECT_GT(shown->Width(), cell.Width() * 3) << "wide enough for the whole text";
    ASSERT_NE(shown->PopupWindow(), nullptr);
    const platform::ui::RasterImage& image = shown->PopupWindow()->SurfaceImage();
    const TRect inside = shown->ClientRect();
    const TRect pastCell{cell.Width() + 10, inside.Top, inside.Right, inside.Bottom};
    EXPECT_GT(PixelsNotOf(image, pastCell, clInfoBk), 30) << "text drawn past the cell's own width";
    grid->SetDataSource(nullptr);
    Application->DestroyForms();
    ds.BeforeDestruction();
    FinalizeDBGridEhUnit();
}

}  // namespace
