// The grid editor's drop-downs on a real X server (a private Xvfb driven by xdotool): F2 and then
// Alt+Down in the cell open the lookup list, the pick list or the calendar, and the pixels the X server holds
// in the drop-down's screen rectangle must be its own drawing: its background, its text and its highlighted
// choice, not the black of a window never painted.
//
// The screen is read with one GetImage of the root window over the form's rectangle (`xwd -id
// <form> -screen`). A plain `xwd -root` is no good here: Qt gives its windows a colormap of their
// own, which sends xwd down its per-window composing path, and that path returns black for a
// top-level window lying wholly inside another one although the screen shows it drawn.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/colors.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_window.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/add_field.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/xwd_image.h"

namespace {

namespace fs = std::filesystem;

// What the screen shows inside a control's client area, a pixel in from its edge.
struct ScreenCount {
    int window = 0;     // the list's background colour
    int highlight = 0;  // the chosen item or day
    int dark = 0;       // text and lines
    int black = 0;      // pure black: nothing drawn there
    int total = 0;
};

std::uint32_t Rgb(TColor color) {
    return ColorToArgb(color) & 0xFFFFFF;
}

bool Dark(std::uint32_t p) {
    return ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
}

class X11GridDropDownPaintTest : public X11HostTest {
  protected:
    static constexpr int CustomerCol = 0;
    static constexpr int StatusCol = 1;
    static constexpr int DayCol = 2;

    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        unit_ = std::make_unique<GridUnitScope>();
        customers_.SetColumns({"ID", "NAME"});
        customers_.SetColumnType(0, ftInteger);
        customers_.SetColumnType(1, ftString, 20);
        for (int id = 1; id <= 3; ++id) customers_.AddRow({id, "Пациент " + std::to_string(id)});
        customers_.Open();
        ds_.SetColumns({"ID", "CUST_ID", "STATUS", "DAY"});
        ds_.SetColumnType(0, ftInteger);
        ds_.SetColumnType(1, ftInteger);
        ds_.SetColumnType(2, ftString, 20);
        ds_.SetColumnType(3, ftDate);
        ds_.AddRow({Variant(1), Variant(2), Variant("paid"), Variant::FromDateTime(EncodeDate(2026, 3, 18))});
        AddField<TIntegerField>(ds_, "ID");
        AddField<TIntegerField>(ds_, "CUST_ID");
        AddField<TStringField>(ds_, "STATUS", fkData, 20);
        AddField<TDateField>(ds_, "DAY");
        AddLookupField<TStringField>(ds_, "Customer", 20, customers_, "CUST_ID", "ID", "NAME");
        Application->CreateForm(&form_);
        form_->SetBorderStyle(bsNone);
        form_->SetBounds(0, 0, 500, 400);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(10, 10, 480, 120);
        source_ = NewComponent<TDataSource>(form_);
        source_->SetDataSet(&ds_);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"Customer", "STATUS", "DAY"}) columns.Add()->SetFieldName(name);
        for (const char* status : {"new", "paid", "sent"})
            columns.ColumnAt(StatusCol)->PickList()->Add(status);
        columns.ColumnAt(CustomerCol)->SetWidth(140);
        columns.ColumnAt(StatusCol)->SetWidth(140);
        columns.ColumnAt(DayCol)->SetWidth(140);
        form_->Show();
        ds_.Open();
        grid_->SetDataSource(source_);
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        Application->DestroyForms();
        ds_.BeforeDestruction();
        customers_.BeforeDestruction();
        FlushButtonBitmapCache();
        unit_.reset();
    }

    TDBGridInplaceEdit* Editor() const { return dynamic_cast<TDBGridInplaceEdit*>(grid_->InplaceEditor()); }
    // The cell's editor opened by F2, then its drop-down by Alt+Down, both real X keys.
    TDBGridInplaceEdit* DropDownWithKeys(int dataCol) {
        grid_->SelectColumnByIndex(dataCol);
        grid_->SetFocus();
        if (!Drive({"key", "F2"}, [&] { return Editor() != nullptr && Editor()->Focused(); }))
            return nullptr;
        if (!Drive({"key", "alt+Down"}, [&] { return Editor()->ListShown(); }))
            return nullptr;
        return Editor();
    }

    // What the X server shows inside control's client area once the loop has run a while.
    ScreenCount Screen(const TWinControl& control) {
        Pump([] { return false; }, std::chrono::milliseconds(400));
        const fs::path shot =
            fs::temp_directory_path() / ("x11_grid_drop_down_" + std::to_string(getpid()) + ".xwd");
        const auto& formWidget = static_cast<platform::ui::QtWindow*>(form_->Native())->Widget();
        EXPECT_TRUE(xvfb->Run(
            {"xwd", "-id", std::to_string(formWidget.winId()), "-screen", "-silent", "-out", shot.string()}));
        const XwdImage image(shot.string());
        fs::remove(shot);
        const TPoint at = control.ClientToScreen({1, 1});
        const TRect inside = Bounds(at.X - form_->Left(), at.Y - form_->Top(), control.ClientWidth() - 2,
                                    control.ClientHeight() - 2);
        ScreenCount count;
        for (int y = std::max(inside.Top, 0); y < std::min(inside.Bottom, image.Height()); ++y)
            for (int x = std::max(inside.Left, 0); x < std::min(inside.Right, image.Width()); ++x) {
                const std::uint32_t p = image.Rgb(x, y);
                ++count.total;
                count.window += p == Rgb(clWindow);
                count.highlight += p == Rgb(clHighlight);
                count.black += p == 0;
                count.dark += Dark(p);
            }
        return count;
    }

    std::unique_ptr<GridUnitScope> unit_;
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
    TMemoryDataSet customers_;
    TMemoryDataSet ds_;
    TDataSource* source_ = nullptr;
};

TEST_F(X11GridDropDownPaintTest, DropDownsShowTheirBackgroundTextAndChoiceOnScreen) {
    struct Case {
        const char* name;
        int col;
        TWinControl* (*list)(TDBGridInplaceEdit&);
    };
    const Case cases[] = {
        {"lookup list", CustomerCol, [](TDBGridInplaceEdit& e) -> TWinControl* { return e.DataList(); }},
        {"pick list", StatusCol, [](TDBGridInplaceEdit& e) -> TWinControl* { return e.PickList(); }},
        {"calendar", DayCol, [](TDBGridInplaceEdit& e) -> TWinControl* { return e.CalendarDropDown(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDBGridInplaceEdit* editor = DropDownWithKeys(c.col);
        ASSERT_NE(editor, nullptr);
        TWinControl* list = c.list(*editor);
        ASSERT_NE(list, nullptr);
        ASSERT_NE(list->PopupWindow(), nullptr);
        ASSERT_TRUE(list->PopupWindow()->Shown());
        // Wholly inside the form: the case a root-window composing reader gets wrong.
        const TPoint topLeft = list->ClientToScreen({0, 0});
        ASSERT_LE(topLeft.Y + list->Height(), form_->Top() + form_->Height());

        const ScreenCount seen = Screen(*list);
        ASSERT_GT(seen.total, 0);
        EXPECT_GT(seen.window, seen.total / 3) << "black " << seen.black << " of " << seen.total;
        EXPECT_GT(seen.highlight, 0) << "no chosen item shown";
        EXPECT_GT(seen.dark, 0) << "no text shown";
        EXPECT_LT(seen.black, seen.total / 3);

        ASSERT_TRUE(Drive({"key", "Escape"}, [&] { return !editor->ListShown(); }));
        // A second Esc leaves the editor for the next case's cell.
        Drive({"key", "Escape"}, [&] { return grid_->Focused(); });
    }
}

}  // namespace
