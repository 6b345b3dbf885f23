// The special row: its cell texts, the font and colour it takes from its owner until set, and when
// it tells of changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/spec_row.h"
#include "platform/ui/control.h"
#include "platform/ui/virtual_keys.h"

namespace {

TEST(ParseCellsText, SplitsQuotedAndPlainCells) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {"quoted cell keeps its ';'", "a;\"b;c\";d", {"a", "b;c", "d"}},
        {"blanks belong to the cell", " x ;y", {" x ", "y"}},
        {"empty cell between two ';'", "a;;b", {"a", "", "b"}},
        {"doubled quote stands for one", "\"say \"\"hi\"\"\";z", {"say \"hi\"", "z"}},
        {"control characters skipped around cells",
         "\t\x01"
         "a\r\n;\x02"
         "b",
         {"a", "b"}},
        {"control character ends a plain cell", "ab\tcd", {"ab", "cd"}},
        {"unclosed quote runs to the end", "\"a;b", {"a;b"}},
        {"nothing", "", {}},
        {"text ends at a zero byte", std::string("a;b\0c;d", 7), {"a", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseCellsText(c.text), c.cells) << c.what;
}

TEST(SpecRow, CellTextAtOutsideTheCellsIsEmpty) {
    TSpecRowEh row(nullptr);
    row.SetCellsText("a;\"b;c\";d");
    EXPECT_EQ(row.CellCount(), 3);
    EXPECT_EQ(row.CellTextAt(1), "b;c");
    EXPECT_EQ(row.CellTextAt(-1), "");
    EXPECT_EQ(row.CellTextAt(3), "");
}

TEST(SpecRow, Defaults) {
    TSpecRowEh row(nullptr);
    EXPECT_EQ(row.ShortCut(), static_cast<TShortCut>(scAlt | VK_DELETE));
    EXPECT_TRUE(row.ShowIfNotInKeyList());
    EXPECT_TRUE(row.Value().IsNull());
    EXPECT_FALSE(row.Visible());
}

struct OwnedRow : ::testing::Test {
    TControl owner{nullptr};
    TSpecRowEh row{&owner};
    int notices = 0;
    OwnedRow() {
        owner.SetColor(clYellow);
        owner.Font()->SetName("Arial");
        row.OnChanged = [this](TSpecRowEh*) { ++notices; };
    }
};

TEST_F(OwnedRow, FollowsTheOwnersFontAndColourUntilSet) {
    owner.SetColor(clAqua);
    owner.Font()->SetSize(14);
    EXPECT_EQ(row.Color(), clAqua);
    EXPECT_EQ(row.Font()->Size(), 14);
    EXPECT_FALSE(row.FontAssigned());
    EXPECT_EQ(notices, 0);  // refreshing from the owner is no change of the row's

    row.SetColor(clRed);
    row.Font()->SetSize(20);
    owner.SetColor(clLime);
    owner.Font()->SetSize(9);
    EXPECT_EQ(row.Color(), clRed);
    EXPECT_EQ(row.Font()->Size(), 20);
    EXPECT_TRUE(row.ColorAssigned());
    EXPECT_TRUE(row.FontAssigned());
    EXPECT_EQ(notices, 2);
}

TEST_F(OwnedRow, NotifiesOnChangesOnlyAndOnceAfterAnUpdate) {
    row.SetVisible(true);
    row.SetVisible(true);
    row.SetCellsText("a");
    row.SetCellsText("a");
    EXPECT_EQ(notices, 2);

    notices = 0;
    row.BeginUpdate();
    row.SetValue(Variant(5));
    row.SetShortCut(0);
    row.SetShowIfNotInKeyList(false);
    EXPECT_EQ(notices, 0);
    row.EndUpdate();
    EXPECT_EQ(notices, 1);
}

TEST_F(OwnedRow, AssignCopiesTheEffectiveColourAndOnlyAnAssignedFont) {
    TControl otherOwner(nullptr);
    otherOwner.SetColor(clNavy);
    otherOwner.Font()->SetSize(30);
    TSpecRowEh source(&otherOwner);
    source.SetCellsText("x;y");
    source.SetValue(Variant(7));
    source.SetVisible(true);
    source.SetShortCut(VK_F2);

    row.Assign(source);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(row.CellsText(), "x;y");
    EXPECT_EQ(row.CellTextAt(1), "y");
    EXPECT_EQ(row.Color(), clNavy);
    EXPECT_TRUE(row.ColorAssigned());
    EXPECT_FALSE(row.FontAssigned());
    EXPECT_EQ(row.Font()->Size(), owner.Font()->Size());
    EXPECT_EQ(row.Value(), Variant(7));
    EXPECT_TRUE(row.Visible());
    EXPECT_EQ(row.ShortCut(), VK_F2);

    source.Font()->SetSize(31);
    row.Assign(source);
    EXPECT_TRUE(row.FontAssigned());
    EXPECT_EQ(row.Font()->Size(), 31);
}

}  // namespace
