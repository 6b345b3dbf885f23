// The grid's filter row painted by the Qt host under the offscreen platform: the filter editor over
// its cell, writing in blue on the lightened fixed colour, and its open list of values below it.
#include <gtest/gtest.h>

#include "data_controls/button_bitmap_cache.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/input.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

// Pixels drawn in a clear blue (the filter texts' colour, anti-aliased edges aside).
int BluePixels(const RasterImage& shown, const TRect& rect) {
    int n = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            const std::uint32_t argb = shown.Pixel(x, y);
            const int r = (argb >> 16) & 0xFF;
            const int g = (argb >> 8) & 0xFF;
            const int b = argb & 0xFF;
            n += b > 150 && r < 110 && g < 110;
        }
    return n;
}

class QtGridFilterRowTest : public QtHostTest {
  public:
    void SetUp() override {
        InitializeDBGridEhUnit();
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 460, 300);
        form->Font()->SetName("DejaVu Sans");
        form->Font()->SetSize(9);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(10, 10, 440, 160);
        dynamic_cast<TSTDBGridEhFilter&>(*grid->STFilter()).SetVisible(true);
        ds.SetColumns({"ID", "CITY"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        ds.AddRow({Variant(1), Variant("Москва")});
        ds.AddRow({Variant(2), Variant("Омск")});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        for (const char* name : {"ID", "CITY"}) columns.Add()->SetFieldName(name);
        dynamic_cast<TSTColumnFilterEh&>(*columns.ColumnAt(1)->STFilter()).SetListSource(source);
        form->Show();
        ds.Open();
        grid->SetDataSource(source);
        grid->SetFocus();
        grid->SelectColumnByIndex(1);
        Application->ProcessMessages();
    }
    void TearDown() override {
        grid->SetDataSource(nullptr);
        Application->DestroyForms();
        ds.BeforeDestruction();
        FlushButtonBitmapCache();
        FinalizeDBGridEhUnit();
        MakeDefaultGridStyle();
    }
    void Press(WORD key, TShiftState shift = {}) {
        platform::ui::PostKeyDown(*form, key, shift, "");
        platform::ui::PostKeyUp(*form, key, shift);
        Application->ProcessMessages();
    }
    // The editor's rectangle on the form.
    TRect EditorOnForm() {
        const TPoint at = grid->FilterEditor()->FormOrigin();
        return {at.X, at.Y, at.X + grid->FilterEditor()->Width(), at.Y + grid->FilterEditor()->Height()};
    }

    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;
};

TEST_F(QtGridFilterRowTest, TheFilterEditorWritesInBlueOverItsCellAndItsListOpensBelowIt) {
    Press(VK_UP);
    TInplaceFilterEditEh* editor = grid->FilterEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->Visible());
    editor->SetText("Омск");
    form->Repaint();
    Application->ProcessMessages();
    const RasterImage shown = platform::ui::GrabHostWindow(*form);
    const TRect box = EditorOnForm();
    // The editor lies over the filter row's cell of the CITY column, right of its left line.
    TRect cell = grid->CellRect(grid->DataColToGridCol(1), grid->TopDataOffset() - 1);
    EXPECT_EQ(box.Left - grid->Left() - grid->ClientOffset().X, cell.Left + 1);
    EXPECT_EQ(box.Top - grid->Top() - grid->ClientOffset().Y, cell.Top);
    const TColor background = TCustomDBGridEh::LightenColor(grid->FixedColor(), 8);
    const TRect text{box.Left, box.Top, box.Left + box.Width() / 2, box.Bottom};
    EXPECT_GT(BluePixels(shown, text), 15) << "the typed condition in blue";
    EXPECT_GT(PixelsOf(shown, text, background), text.Width() * text.Height() / 2)
        << "on the lightened colour";

    Press(VK_DOWN, {ssAlt});
    TPopupListboxEh* list = editor->PopupList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(editor->ListVisible());
    ASSERT_NE(list->PopupWindow(), nullptr);
    ASSERT_TRUE(list->PopupWindow()->Shown());
    EXPECT_GE(list->Top(), editor->ClientToScreen({0, editor->Height()}).Y - 1) << "below the cell";
    const RasterImage& listImage = list->PopupWindow()->SurfaceImage();
    const TPoint client = list->ClientOffset();
    // Two cities and the four filter items, each unselected row with its text in the editor's blue.
    for (int row = 0; row < 6; ++row) {
        if (row == list->ItemIndex())
            continue;
        const TRect item = list->ItemRect(row);
        const TRect line{client.X + item.Left, client.Y + item.Top, client.X + item.Right,
                         client.Y + item.Bottom};
        EXPECT_GT(BluePixels(listImage, line), 5) << "row " << row;
    }
    Press(VK_ESCAPE);
    EXPECT_FALSE(editor->ListVisible());
}

}  // namespace
