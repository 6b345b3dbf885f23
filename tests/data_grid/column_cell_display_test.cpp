// Display texts through a column's display format, memo fields shown and edited as text, and
// which blob cells can be edited or stepped.
#include <string>
#include <vector>

#include "platform/rtl/datetime.h"
#include "tests/data_grid/column_cell_fixture.h"

namespace {

using ColumnDisplay = CellsOverData;

TEST_F(ColumnDisplay, DisplayFormatsApplyToNumbersAndDates) {
    Store("DAY", Variant::FromDateTime(EncodeDate(2024, 3, 9)));
    struct Case {
        const char* field;
        const char* format;
        Variant value;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"RATE", "0.00", Variant(1.5), "1.50"},
        {"QTY", "000", Variant(7), "007"},
        {"RATE", "0.00", Variant::Null(), ""},
        {"DAY", "yyyy-mm-dd", Variant::FromDateTime(EncodeDate(2024, 3, 9)), "2024-03-09"},
        // A format means nothing to a text field.
        {"CODE", "0.00", Variant("B"), ""},
        {"CODE", "", Variant("B"), "B"},
    };
    for (const Case& c : cases) {
        TColumnEh* column = ColumnFor(c.field);
        column->SetDisplayFormat(c.format);
        Store(c.field, c.value);
        EXPECT_EQ(column->CellDisplayText(), c.text) << c.field << " " << c.format;
    }
}

TEST_F(ColumnDisplay, MemoFieldsShowAndTakeTextOnlyWithMemoAsText) {
    TColumnEh* column = ColumnFor("NOTE");
    TField* note = ds.FieldByName("NOTE");
    EXPECT_EQ(column->CellDisplayText(), note->DisplayText());
    EXPECT_FALSE(column->IsEditable(false)) << "a blob without MemoAsText or OnSetText";
    grid->SetMemoAsText(true);
    EXPECT_EQ(column->CellDisplayText(), "first line");
    EXPECT_TRUE(column->IsEditable(true));
    column->PutCellValue("second line", Variant(), true);
    EXPECT_EQ(note->AsString(), "second line");
    ds.Cancel();
}

TEST_F(ColumnDisplay, StepsOnABlobNeedItsOwnSetTextHandler) {
    TColumnEh* column = ColumnFor("NOTE");
    SetItems(column->PickList(), {"one", "two"});
    grid->SetMemoAsText(true);
    Store("NOTE", Variant("x"));
    column->StepValue(1);
    EXPECT_EQ(ds.State(), dsBrowse) << "MemoAsText alone does not let a step write a blob";
    EXPECT_EQ(ds.FieldByName("NOTE")->AsString(), "x");
    grid->SetMemoAsText(false);
    std::vector<std::string> set;
    ds.FieldByName("NOTE")->OnSetText = [&](TField* Sender, const std::string& Text) {
        set.push_back(Text);
        Sender->SetAsString(Text);
    };
    // A memo's edit text is in no list, so the step goes to the first item.
    column->StepValue(1);
    EXPECT_EQ(set, std::vector<std::string>{"one"});
    EXPECT_EQ(ds.FieldByName("NOTE")->AsString(), "one");
    ds.Cancel();
}

}  // namespace
