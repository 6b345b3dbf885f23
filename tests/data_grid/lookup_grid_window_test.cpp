// The lookup grid's window side: refitting auto-fitting columns to a new size, a sized column
// resizing the whole grid, the plain pointer over the special row, its own hint, whole rows once
// the window exists, and what its columns store in a form.
#include <string>

#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "platform/ui/hint_window.h"
#include "platform/ui/input.h"
#include "platform/ui/messages.h"
#include "tests/data_grid/lookup_grid_fixture.h"

namespace lookup_grid_test {
namespace {

// The pixels the grid's columns take, with their lines.
int ColumnsPixels(TDBLookupGridEh& grid) {
    int sum = 0;
    for (int col = 0; col < grid.ColCount(); ++col)
        sum += grid.ColWidths(col) + grid.GridLineWidthFor(gdoColLinesEh);
    return sum;
}

TEST(LookupGridWindow, NewSizeRefitsAutoFittingColumnsToTheClientWidth) {
    LookupGridFixture f;
    f.grid->SetLookupAutoFitColWidths(true);
    for (int width : {300, 520}) {
        SCOPED_TRACE(width);
        f.grid->SetBounds(0, 0, width, f.grid->Height());
        f.ui.ProcessMessages();
        EXPECT_EQ(ColumnsPixels(*f.grid), f.grid->ClientWidth());
        EXPECT_FALSE(f.grid->AutoFitColWidths()) << "the grid's own switch is on only while it refits";
    }
}

TEST(LookupGridWindow, SizingAColumnOfAnAutoFittingGridResizesTheWholeGrid) {
    // Columns made from the list's fields, then the user's own.
    for (bool usersColumns : {false, true}) {
        SCOPED_TRACE(usersColumns ? "the user's columns" : "columns of the list's fields");
        LookupGridFixture f;
        f.grid->SetOptions({dlgColLinesEh, dlgColumnResizeEh});
        f.grid->SetShowTitles(true);
        if (usersColumns)
            for (const char* field : {"NAME", "CITY"}) f.Columns().Add()->SetFieldName(field);
        f.grid->SetLookupAutoFitColWidths(true);
        f.ui.ProcessMessages();
        const int before = f.grid->Width();
        const int secondWidth = f.grid->ColWidths(f.grid->IndicatorOffset() + 1);
        const TRect first = f.grid->CellRect(f.grid->IndicatorOffset(), 0);
        const TPoint border{first.Right, (first.Top + first.Bottom) / 2};
        platform::ui::PostMouseDown(*f.grid, mbLeft, {}, border);
        platform::ui::PostMouseMove(*f.grid, {ssLeft}, {border.X + 40, border.Y});
        platform::ui::PostMouseUp(*f.grid, mbLeft, {}, {border.X + 40, border.Y});
        f.ui.ProcessMessages();
        EXPECT_EQ(f.grid->Width(), before + 40);
        EXPECT_EQ(f.grid->ColWidths(f.grid->IndicatorOffset() + 1), secondWidth)
            << "the other column keeps its width";
        EXPECT_EQ(ColumnsPixels(*f.grid), f.grid->ClientWidth());
        TColumnEh* column = f.Columns().ColumnAt(0);
        EXPECT_EQ(column->InitialWidth(), column->Width()) << "the sized width is what the grid fits from";
    }
}

TEST(LookupGridWindow, SpecialRowKeepsThePointerTheHostShows) {
    LookupGridFixture f;
    f.ShowSpecRow();
    f.grid->SetRowCount(3);
    f.ui.ProcessMessages();
    const auto pointerShapesAfterMoveTo = [&](int gridRow) {
        const TRect cell = f.grid->CellRect(f.grid->IndicatorOffset(), gridRow);
        const std::size_t before = f.ui.System().PointerShapes().size();
        platform::ui::PostMouseMove(*f.grid, {}, {cell.Left + 5, (cell.Top + cell.Bottom) / 2});
        f.ui.ProcessMessages();
        return f.ui.System().PointerShapes().size() - before;
    };
    EXPECT_EQ(pointerShapesAfterMoveTo(f.grid->TopDataOffset() - 1), 0u) << "over the special row";
    EXPECT_EQ(pointerShapesAfterMoveTo(f.grid->TopDataOffset()), 1u) << "over a data row";
}

TEST(LookupGridWindow, HintIsTheGridsOwnNeverACellText) {
    LookupGridFixture f;
    f.grid->Hint = "Выберите пациента";
    f.grid->SetKeyValue(6);  // the long name, which a plain grid would show as its cell's tip
    f.ui.ProcessMessages();
    const int row = f.grid->TopDataOffset() + f.grid->KeyRowIndex();
    const TRect cell = f.grid->CellRect(f.grid->IndicatorOffset(), row);
    THintInfo info;
    info.HintControl = f.grid;
    info.CursorPos = {cell.Left + 5, (cell.Top + cell.Bottom) / 2};
    info.HintStr = f.grid->Hint;
    f.grid->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, "Выберите пациента");
}

TEST(LookupGridWindow, RowsAskedForBeforeTheWindowExistsStayWholeWithItsBorder) {
    LookupGridFixture f;
    auto* late = NewComponent<TDBLookupGridEh>(f.form);
    late->SetListSource(f.peopleSource);
    late->SetKeyField("ID");
    late->SetListField("NAME");
    late->SetBounds(0, 220, 300, 10);
    late->SetRowCount(4);
    EXPECT_EQ(late->BorderSize(), 0);
    late->SetParent(f.form);
    late->Show();
    f.ui.ProcessMessages();
    ASSERT_GT(late->BorderSize(), 0);
    EXPECT_EQ(late->ListRowCount(), 4);
    EXPECT_EQ(late->Height(), late->TitleHeight() + late->BorderSize() + 4 * late->RowPitch() +
                                  late->GridLineWidthFor(gdoRowLinesEh));
    late->TCustomDBGridEh::SetDataSource(nullptr);
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(LookupGridWindow, ColumnsStoreTheirSubsetAndTheSpecialCellsOwnValues) {
    LookupGridFixture f;
    TDBLookupGridColumnEh* name = static_cast<TDBLookupGridColumnEh*>(f.Columns().Add());
    name->SetFieldName("NAME");
    name->SetWidth(90);
    name->SetReadOnly(true);  // not a lookup column's property
    name->PickList()->Add("Alpha");
    name->SpecCell()->SetText("(нет)");
    f.grid->SetListSource(nullptr);  // the copy is read without the form's other components
    const std::string text = ComponentToText(*f.grid);
    const struct {
        const char* part;
        bool written;
    } cases[] = {{"FieldName = 'NAME'", true}, {"Width = 90", true},      {"PickList.Strings", true},
                 {"SpecCell.Text = ", true},   {"SpecCell.Color", false}, {"SpecCell.Font", false},
                 {"ReadOnly", false},          {"DropDownRows", false}};
    for (const auto& c : cases) EXPECT_EQ(Has(text, c.part), c.written) << c.part << "\n" << text;

    auto copy = MakeComponent<TDBLookupGridEh>(nullptr);
    TReader(text).ReadRootComponent(*copy);
    auto& read = static_cast<TDBGridColumnsEh&>(copy->Columns()->Stored());
    ASSERT_EQ(read.Count(), 1);
    auto* readName = static_cast<TDBLookupGridColumnEh*>(read.ColumnAt(0));
    EXPECT_EQ(readName->Width(), 90);
    EXPECT_EQ(readName->SpecCell()->Text(), "(нет)");
    EXPECT_TRUE(readName->SpecCell()->TextOwn());
    EXPECT_EQ(readName->PickList()->Count(), 1);
}

}  // namespace
}  // namespace lookup_grid_test
