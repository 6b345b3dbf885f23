// The grid's in-place editor painted by the Qt host under the offscreen platform: its main and
// extra buttons at the right of the cell, raised and flat, with the flat grid's separators, read
// back from the window's pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/edit_button.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/colors.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/shape.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/qt_pixel_checks.h"
#include "tests/data_grid/qt_grid_scope.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

class QtGridInplaceEditTest : public QtGridFormTest {
  protected:
    void SetUp() override {
        CreateGridForm(420, 200);
        PlaceGrid({10, 10, 410, 190});
        ds->SetColumns({"ID", "NAME"});
        ds->SetColumnType(0, ftInteger);
        ds->SetColumnType(1, ftString, 20);
        for (int id = 1; id <= 3; ++id) ds->AddRow({Variant(id), Variant("Пациент")});
        MakeSource();
        auto& columns = Columns();
        for (const char* name : {"ID", "NAME"}) columns.Add()->SetFieldName(name);
        columns.ColumnAt(1)->SetWidth(300);
        columns.ColumnAt(1)->SetButtonStyle(cbsEllipsis);
        auto* extra = static_cast<TEditButtonEh*>(columns.ColumnAt(1)->EditButtons()->Add());
        extra->SetStyle(ebsDropDownEh);
        ShowData();
        grid->DataLink()->SetBufferCount(ds->RecordCount());
        grid->SetColCount(3);
        grid->SetFixedCols(1);
        grid->SetRowCount(grid->TopDataOffset() + ds->RecordCount());
        grid->SetFixedRows(grid->TopDataOffset());
        grid->SetCol(2);
        Application->ProcessMessages();
    }
    TDBGridInplaceEdit* OpenEditor() {
        grid->SetFocus();
        Application->ProcessMessages();
        grid->Perform(WM_KEYDOWN, VK_F2, 0);
        Application->ProcessMessages();
        return dynamic_cast<TDBGridInplaceEdit*>(grid->InplaceEditor());
    }
    RasterImage Shown() {
        form->Repaint();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }
    // A control's bounds on the form's pixels.
    TRect OnForm(const TControl& control) {
        const TPoint at = control.ClientToScreen({0, 0});
        const TPoint origin = form->ClientToScreen({0, 0});
        return OffsetRect(control.ClientRect(), at.X - origin.X, at.Y - origin.Y);
    }
};

TEST_F(QtGridInplaceEditTest, MainAndExtraButtonsShowAtTheRightRaisedAndFlat) {
    for (bool flat : {false, true}) {
        SCOPED_TRACE(flat ? "flat" : "raised");
        grid->SetFlat(flat);
        TDBGridInplaceEdit* editor = OpenEditor();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->Visible());
        const RasterImage shown = Shown();
        const TRect cell = OnForm(*editor);
        ASSERT_EQ(editor->ButtonControls().size(), 2u);
        int right = cell.Right;
        for (auto it = editor->ButtonControls().rbegin(); it != editor->ButtonControls().rend(); ++it) {
            const TRect button = OnForm(*it->EditButtonControl);
            const int area = button.Width() * button.Height();
            EXPECT_EQ(button.Right, right) << "the row closes up towards the right edge";
            // A face, not the editor's window colour, with a dark glyph on it (dots or an arrow).
            EXPECT_GT(PixelsNotOf(shown, button, clWindow), area / 2);
            EXPECT_GT(DarkPixels(shown, button), 0);
            const TRect separator = OnForm(*it->ButtonLine);
            if (flat) {
                EXPECT_EQ(separator.Width(), 1);
                EXPECT_EQ(PixelsOf(shown, separator, clBtnFace), separator.Height());
                right = separator.Left;
            } else {
                EXPECT_FALSE(it->ButtonLine->Visible());
                right = button.Left;
            }
        }
        // Left of the row the text keeps the window colour around its letters.
        const TRect text{cell.Left, cell.Top, right - 1, cell.Bottom};
        EXPECT_GT(PixelsOf(shown, text, clWindow), text.Width() * text.Height() / 2);
        EXPECT_GT(PixelsNotOf(shown, text, clWindow), 0) << "the cell's text";
        grid->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
        Application->ProcessMessages();
    }
}

}  // namespace
