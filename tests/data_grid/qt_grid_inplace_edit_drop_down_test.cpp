// The grid editor's pick list and calendar dropped down on the Qt host under the offscreen
// platform: each shows under the cell, the cell's item or day highlighted, read from its pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/application.h"
#include "platform/ui/colors.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/data_grid/qt_grid_scope.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

const TDateTime Day = EncodeDate(2026, 3, 18);

class QtGridDropDownTest : public QtGridFormTest {
  protected:
    static constexpr int StatusCol = 1;
    static constexpr int DayCol = 2;

    void SetUp() override {
        CreateGridForm(420, 260);
        PlaceGrid({10, 10, 410, 110});
        ds->SetColumns({"ID", "STATUS", "DAY"});
        ds->SetColumnType(0, ftInteger);
        ds->SetColumnType(1, ftString, 20);
        ds->SetColumnType(2, ftDate);
        ds->AddRow({Variant(1), Variant("paid"), Variant::FromDateTime(Day)});
        MakeSource();
        auto& columns = Columns();
        for (const char* name : {"ID", "STATUS", "DAY"}) columns.Add()->SetFieldName(name);
        for (const char* status : {"new", "paid", "sent"})
            columns.ColumnAt(StatusCol)->PickList()->Add(status);
        columns.ColumnAt(StatusCol)->SetWidth(150);
        columns.ColumnAt(DayCol)->SetWidth(150);
        ShowData();
        Application->ProcessMessages();
    }
    TDBGridInplaceEdit* DropDown(int dataCol) {
        grid->SelectColumnByIndex(dataCol);
        grid->SetFocus();
        Application->ProcessMessages();
        grid->Perform(WM_KEYDOWN, VK_F2, 0);
        Application->ProcessMessages();
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid->InplaceEditor());
        if (editor == nullptr)
            return nullptr;
        editor->OpenDropDown();
        Application->ProcessMessages();
        return editor;
    }
    // The list opens under the editor, at its left edge.
    static void ExpectUnder(const TDBGridInplaceEdit& editor, const TWinControl& list) {
        const TPoint editorBottomLeft = editor.ClientToScreen({0, editor.Height()});
        const TPoint listTopLeft = list.ClientToScreen({0, 0});
        EXPECT_EQ(listTopLeft.X - list.ClientOffset().X, editorBottomLeft.X);
        EXPECT_EQ(listTopLeft.Y - list.ClientOffset().Y, editorBottomLeft.Y);
    }
};

TEST_F(QtGridDropDownTest, PickListShowsTheItemsWithTheCellsOneHighlighted) {
    TDBGridInplaceEdit* editor = DropDown(StatusCol);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->ListShown());
    TPopupListboxEh& list = *editor->PickList();
    ASSERT_NE(list.PopupWindow(), nullptr);
    ASSERT_TRUE(list.PopupWindow()->Shown());
    ExpectUnder(*editor, list);
    list.Repaint();
    Application->ProcessMessages();
    const RasterImage& shown = list.PopupWindow()->SurfaceImage();
    const TPoint client = list.ClientOffset();
    const int rowHeight = list.ItemHeight();
    const int width = list.ClientWidth() - 2;
    auto row = [&](int index) {
        return TRect{client.X + 1, client.Y + index * rowHeight + 1, client.X + width,
                     client.Y + (index + 1) * rowHeight - 1};
    };
    const TRect chosen = row(1);
    EXPECT_GT(PixelsOf(shown, chosen, clHighlight), chosen.Width() * chosen.Height() / 2) << "paid";
    EXPECT_GT(PixelsNotOf(shown, chosen, clHighlight), 0) << "its text";
    for (int other : {0, 2}) {
        EXPECT_EQ(PixelsOf(shown, row(other), clHighlight), 0) << other;
        EXPECT_GT(DarkPixels(shown, row(other)), 0) << other << ": its text";
    }
    const TRect below{client.X, client.Y + 3 * rowHeight, client.X + width, client.Y + list.ClientHeight()};
    EXPECT_EQ(DarkPixels(shown, below), 0) << "three rows and no more";
}

TEST_F(QtGridDropDownTest, CalendarShowsTheCellsMonthWithItsDayChosen) {
    TDBGridInplaceEdit* editor = DropDown(DayCol);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->ListShown());
    TPopupMonthCalendarEh& calendar = *editor->CalendarDropDown();
    ASSERT_NE(calendar.PopupWindow(), nullptr);
    ASSERT_TRUE(calendar.PopupWindow()->Shown());
    ExpectUnder(*editor, calendar);
    EXPECT_EQ(calendar.Date(), Day);
    calendar.Repaint();
    Application->ProcessMessages();
    const RasterImage& shown = calendar.PopupWindow()->SurfaceImage();
    const TPoint client = calendar.ClientOffset();
    auto cellOf = [&](TDateTime day) {
        TRect cell{calendar.ClientWidth(), calendar.ClientHeight(), 0, 0};
        for (int y = 0; y < calendar.ClientHeight(); ++y)
            for (int x = 0; x < calendar.ClientWidth(); ++x) {
                SYSTEMTIME st;
                if (calendar.CalendarHitTest({x, y}, &st) == MCHT_CALENDARDATE && SystemTimeToDate(st) == day)
                    cell = {std::min(cell.Left, x), std::min(cell.Top, y), std::max(cell.Right, x + 1),
                            std::max(cell.Bottom, y + 1)};
            }
        return OffsetRect(cell, client.X, client.Y);
    };
    const TRect chosen = cellOf(Day);
    const TRect next = cellOf(Day + 1);
    ASSERT_FALSE(chosen.IsEmpty());
    EXPECT_GT(PixelsOf(shown, chosen, clHighlight), chosen.Width() * chosen.Height() / 2);
    EXPECT_EQ(PixelsOf(shown, next, clHighlight), 0);
    EXPECT_GT(DarkPixels(shown, next), 0) << "the next day's number";
    const TRect title = OffsetRect(TRect{0, 0, calendar.ClientWidth(), 4}, client.X, client.Y);
    EXPECT_GT(PixelsOf(shown, title, clActiveCaption), title.Width() * 2);
}

}  // namespace
