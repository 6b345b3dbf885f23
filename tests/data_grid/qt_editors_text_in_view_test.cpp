// What a user sees in the editors on the Qt host under the offscreen platform: every editor opens
// showing the start of its text, however narrow its box beside its button, the filter editor shows
// its cell's condition when clicked, the amount's editor keeps the column's right alignment, a date
// is edited as it is shown, and the edit below the grid centres its line in its box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "data_controls/db_edit.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/grid_filter.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/db/typed_fields.h"
#include "platform/ui/input.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/qt_grid_scope.h"
#include "tests/support/add_field.h"

namespace {

using platform::ui::RasterImage;

constexpr int PatientCol = 0, DayCol = 1, AmountCol = 2, RoomCol = 3;

TRect OnForm(const TWinControl& control, const TRect& client) {
    const TPoint at = control.FormOrigin();
    return {at.X + client.Left, at.Y + client.Top, at.X + client.Right, at.Y + client.Bottom};
}

// The columns and rows of rect whose pixels differ from the background: where something is drawn.
TRect Ink(const RasterImage& shown, const TRect& rect, TColor background) {
    const std::uint32_t face = ColorToArgb(background) & 0xFFFFFF;
    TRect ink{rect.Right, rect.Bottom, rect.Left, rect.Top};
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if ((shown.Pixel(x, y) & 0xFFFFFF) != face)
                ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                       std::max(ink.Bottom, y + 1)};
    return ink;
}

class QtEditorsTextInViewTest : public QtGridFormTest {
  protected:
    void SetUp() override {
        CreateGridForm(600, 300);
        customers.SetColumns({"ID", "NAME"});
        customers.SetColumnType(0, ftInteger);
        customers.SetColumnType(1, ftString, 40);
        customers.AddRow({1, "Ivanova Anna"});
        customers.Open();
        ds->SetColumns({"ID", "CUSTOMER_ID", "VISIT_DATE", "AMOUNT", "ROOM", "NOTE"});
        for (int i : {0, 1}) ds->SetColumnType(i, ftInteger);
        ds->SetColumnType(2, ftDate);
        ds->SetColumnType(3, ftFloat);
        ds->SetColumnType(4, ftString, 10);
        ds->SetColumnType(5, ftString, 60);
        ds->AddRow({1, 1, Variant::FromDateTime(EncodeDate(2024, 3, 5)), 700.5, "205",
                    "the patient asks for a morning appointment"});
        AddField<TIntegerField>(*ds, "ID");
        AddField<TIntegerField>(*ds, "CUSTOMER_ID");
        AddField<TDateField>(*ds, "VISIT_DATE")->DisplayFormat = "dd.mm.yyyy";
        AddField<TFloatField>(*ds, "AMOUNT");
        AddField<TStringField>(*ds, "ROOM", fkData, 10);
        AddField<TStringField>(*ds, "NOTE", fkData, 60);
        AddLookupField<TStringField>(*ds, "PATIENT", 40, customers, "CUSTOMER_ID", "ID", "NAME");
        PlaceGrid({10, 10, 580, 150});
        grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
        dynamic_cast<TSTDBGridEhFilter&>(*grid->STFilter()).SetVisible(true);
        grid->OnFilterApply = [](TObject*) {};
        MakeSource();
        // Narrow boxes: the name and the date do not fit beside their drop-down buttons.
        const std::pair<const char*, int> columns[] = {
            {"PATIENT", 80}, {"VISIT_DATE", 72}, {"AMOUNT", 120}, {"ROOM", 60}};
        for (const auto& [name, width] : columns) {
            TColumnEh* column = Columns().Add();
            column->SetFieldName(name);
            column->SetWidth(width);
        }
        note = NewComponent<TDBEditEh>(form);
        note->SetParent(form);
        note->SetBounds(10, 200, 140, 28);
        note->SetDataSource(source);
        note->SetDataField("NOTE");
        ShowData();
        grid->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        note->SetDataSource(nullptr);
        QtGridFormTest::TearDown();
        customers.BeforeDestruction();
    }
    TDBGridInplaceEdit* CellEditor(int dataCol) {
        grid->SelectColumnByIndex(dataCol);
        Application->ProcessMessages();
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid->InplaceEditor());
        EXPECT_TRUE(editor != nullptr && editor->Visible());
        return editor;
    }
    static TRect TextRect(TWinControl& edit) {
        TRect rect;
        SendMessage(edit.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static int FirstCharX(TWinControl& edit) {
        return static_cast<short>(SendMessage(edit.Handle(), EM_POSFROMCHAR, 0, 0) & 0xFFFF);
    }
    RasterImage Shown() {
        form->Repaint();
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }

    TMemoryDataSet customers;
    TDBEditEh* note = nullptr;
};

TEST_F(QtEditorsTextInViewTest, CellEditorsWithAButtonOpenAtTheStartOfTheirText) {
    struct Case {
        int col;
        const char* text;
    };
    for (const Case& c : {Case{PatientCol, "Ivanova Anna"}, Case{DayCol, "05.03.2024"}}) {
        SCOPED_TRACE(c.text);
        TDBGridInplaceEdit* editor = CellEditor(c.col);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Text(), c.text);
        const TRect rect = TextRect(*editor);
        ASSERT_LT(rect.Right, editor->ClientWidth()) << "no button beside the text";
        EXPECT_EQ(FirstCharX(*editor), rect.Left) << "the text's start scrolled out of view";
        // The text is drawn from the left of its rectangle.
        const TRect ink = Ink(Shown(), OnForm(*editor, rect), editor->Color());
        EXPECT_LE(ink.Left, OnForm(*editor, rect).Left + 3);
    }
}

TEST_F(QtEditorsTextInViewTest, TheAmountsEditorKeepsItsColumnsRightAlignment) {
    TDBGridInplaceEdit* editor = CellEditor(AmountCol);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->TextAlignment(), taRightJustify);
    // Unselected, the digits alone are drawn: at the right of the box.
    editor->SetSelStart(0);
    const TRect rect = OnForm(*editor, TextRect(*editor));
    const TRect ink = Ink(Shown(), rect, editor->Color());
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Right, rect.Right - 4);
    EXPECT_GT(ink.Left, rect.Left + rect.Width() / 3);
}

TEST_F(QtEditorsTextInViewTest, AClickOnAFilterCellShowsItsConditionAndSoDoesEnter) {
    auto& filter = dynamic_cast<TSTColumnFilterEh&>(*Columns().ColumnAt(RoomCol)->STFilter());
    filter.SetExpressionText("205");
    const TRect cell = grid->CellRect(grid->DataColToGridCol(RoomCol), grid->TopDataOffset() - 1);
    const TPoint at{grid->FormOrigin().X + (cell.Left + cell.Right) / 2,
                    grid->FormOrigin().Y + (cell.Top + cell.Bottom) / 2};
    platform::ui::PostMouseDown(*form, mbLeft, {}, at);
    platform::ui::PostMouseUp(*form, mbLeft, {}, at);
    Application->ProcessMessages();
    TInplaceFilterEditEh* editor = grid->FilterEditor();
    ASSERT_TRUE(editor != nullptr && editor->Visible());
    for (const char* step : {"clicked", "after Enter"}) {
        SCOPED_TRACE(step);
        EXPECT_EQ(editor->Text(), "205");
        const TRect rect = TextRect(*editor);
        EXPECT_EQ(FirstCharX(*editor), rect.Left) << "the condition scrolled out of view";
        const TRect ink = Ink(Shown(), OnForm(*editor, rect), editor->Color());
        EXPECT_GE(ink.Width(), 12) << "the editor looks empty";
        platform::ui::PostKeyDown(*form, VK_RETURN, {}, "\r");
        platform::ui::PostKeyUp(*form, VK_RETURN, {});
        Application->ProcessMessages();
    }
}

TEST_F(QtEditorsTextInViewTest, TheEditBelowTheGridShowsItsStartInTheMiddleOfItsBox) {
    note->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(note->Text(), "the patient asks for a morning appointment");
    const TRect rect = TextRect(*note);
    EXPECT_EQ(FirstCharX(*note), rect.Left);
    // Unselected, so that only the letters are drawn; then out of focus, as the form shows it.
    note->SetSelStart(0);
    const TRect box = OnForm(*note, note->ClientRect());
    for (const char* state : {"focused", "unfocused"}) {
        SCOPED_TRACE(state);
        const TRect inner{box.Left + 3, box.Top + 2, box.Right - 3, box.Bottom - 2};
        const TRect ink = Ink(Shown(), inner, note->Color());
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_LE(std::abs((ink.Top - inner.Top) - (inner.Bottom - ink.Bottom)), 3)
            << "the line is not centred: " << ink.Top - inner.Top << " above, " << inner.Bottom - ink.Bottom
            << " below";
        EXPECT_LE(ink.Left, inner.Left + 4) << "the text's start is not shown";
        grid->SetFocus();
        Application->ProcessMessages();
    }
}

}  // namespace
