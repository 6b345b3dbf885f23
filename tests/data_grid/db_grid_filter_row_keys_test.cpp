// The filter row driven by keys: Up from the first record into it, the moves between filter cells
// (wrapping around), Down back to the data, typed text reaching the filter editor and Enter applying
// the conditions through OnFilterApply or the data service.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/edit.h"
#include "platform/ui/inplace_edit.h"
#include "tests/data_grid/db_grid_filter_row_fixture.h"

using namespace filter_row_test;

namespace {

TEST(GridFilterRowKeys, UpFromTheFirstRecordEntersTheFilterRowInTheCurrentColumn) {
    struct Case {
        const char* name;
        int startId;
        TShiftState shift;
        int filterCol;  // -1: still in the data
        int id;
    };
    const std::vector<Case> cases = {
        {"first record", 1, {}, FilterRowGrid::NameCol, 1},
        {"a later record moves up", 3, {}, -1, 2},
        {"Ctrl enters from any record", 3, {ssCtrl}, FilterRowGrid::NameCol, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterRowGrid g;
        g.ds.First();
        while (g.CurrentId() != c.startId) g.ds.Next();
        g.Press(VK_UP, c.shift);
        EXPECT_EQ(g.EditedFilterColumn(), c.filterCol);
        EXPECT_EQ(g.CurrentId(), c.id);
        if (c.filterCol < 0)
            continue;
        ASSERT_TRUE(g.EditorShown());
        EXPECT_TRUE(g.Editor()->Focused());
        TRect cell = g.FilterCellRect(c.filterCol);
        ++cell.Left;
        EXPECT_EQ(g.Editor()->BoundsRect(), cell);
    }
}

// The first entry makes the editor: nothing it held before may land in another column's condition.
TEST(GridFilterRowKeys, EnteringTheFilterRowKeepsTheConditionsSetInCode) {
    enum class Entry { UpKey, LeftPress, RightPress };
    for (const Entry entry : {Entry::UpKey, Entry::LeftPress, Entry::RightPress}) {
        SCOPED_TRACE(static_cast<int>(entry));
        FilterRowGrid g;
        g.Filter(FilterRowGrid::IdCol).ParseExpressionText(">1");
        g.Filter(FilterRowGrid::CityCol).ParseExpressionText("Омск");
        if (entry == Entry::UpKey) {
            g.Press(VK_UP);
        } else {
            const TRect name = g.FilterCellRect(FilterRowGrid::NameCol);
            g.ui.ClickAt(g.grid, {name.Left + 5, (name.Top + name.Bottom) / 2},
                         entry == Entry::LeftPress ? mbLeft : mbRight);
            g.ui.ProcessMessages();
        }
        ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
        g.Type("a");
        g.Press(VK_RETURN);
        EXPECT_EQ(g.Features().Applied, 1);
        EXPECT_EQ(g.Features().NameText, "a");
        EXPECT_EQ(g.grid->ColumnFilterText(FilterRowGrid::IdCol), ">1");
        EXPECT_EQ(g.grid->ColumnFilterText(FilterRowGrid::CityCol), "Омск");
    }
}

TEST(GridFilterRowKeys, KeysMoveBetweenFilterCellsWrappingAroundAndDownGoesBackToTheData) {
    struct Step {
        WORD key;
        TShiftState shift;
        int filterCol;  // -1: back in the data
    };
    const std::vector<Step> steps = {
        {VK_LEFT, {}, 0},       {VK_LEFT, {}, 2},         // wraps to the last
        {VK_RIGHT, {}, 0},      {VK_END, {}, 2},          //
        {VK_HOME, {}, 0},       {VK_TAB, {}, 1},          //
        {VK_TAB, {ssShift}, 0}, {VK_TAB, {ssShift}, 2},   // wraps back
        {VK_LEFT, {ssCtrl}, 0}, {VK_RIGHT, {ssCtrl}, 2},  //
        {VK_UP, {}, 2},         {VK_DOWN, {}, -1},        //
    };
    FilterRowGrid g;
    g.ds.Last();
    g.Press(VK_UP, {ssCtrl});
    ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.key) + (s.shift.Contains(ssShift) ? " shift" : "") +
                     (s.shift.Contains(ssCtrl) ? " ctrl" : ""));
        g.Press(s.key, s.shift);
        EXPECT_EQ(g.EditedFilterColumn(), s.filterCol);
    }
    // Down left the filter row for the first record, in the column of the last filter cell.
    EXPECT_FALSE(g.EditorShown());
    EXPECT_EQ(g.CurrentId(), 1);
    EXPECT_EQ(g.grid->SelectedColumnIndex(), FilterRowGrid::CityCol);
    EXPECT_TRUE(g.grid->Focused());
}

TEST(GridFilterRowKeys, ArrowsWithinTheTextMoveTheCaretAndAHiddenColumnIsSkipped) {
    FilterRowGrid g;
    g.Column(FilterRowGrid::IdCol)->SetVisible(false);
    g.Press(VK_UP);
    g.Type("ab");
    g.Press(VK_LEFT);  // the caret leaves the end
    g.Press(VK_RIGHT);
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    EXPECT_EQ(g.Editor()->SelStart(), 1 + 1);
    g.Press(VK_HOME);  // to the start of the text first
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    g.Press(VK_LEFT);  // past the hidden ID column to the last
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    // The text typed in the cell left behind was stored into its filter.
    EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).FilterText(), "ab");
}

TEST(GridFilterRowKeys, TabStaysInTheCellWithoutTabOptions) {
    FilterRowGrid g;
    g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoTabsEh});
    g.Press(VK_UP);
    g.Press(VK_TAB);
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
}

TEST(GridFilterRowKeys, TypedTextAndEnterApplyThroughOnFilterApplyOrTheDataService) {
    for (const bool handler : {true, false}) {
        SCOPED_TRACE(handler ? "OnFilterApply" : "data service");
        FilterRowGrid g;
        std::string seenText;
        if (handler)
            g.grid->OnFilterApply = [&](TObject* Sender) {
                ++g.filterApplies;
                seenText = dynamic_cast<TCustomDBGridEh*>(Sender)->ColumnFilterText(FilterRowGrid::NameCol);
            };
        g.Press(VK_UP);
        g.Type("Ом");
        EXPECT_EQ(g.EditorText(), "Ом");
        g.Press(VK_RETURN);
        EXPECT_EQ(g.filterApplies, handler ? 1 : 0);
        EXPECT_EQ(g.Features().Applied, handler ? 0 : 1);
        EXPECT_EQ(handler ? seenText : g.Features().NameText, "Ом");
        EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).Expression().FirstOperator, fokLikeEh);
        EXPECT_EQ(g.EditorText(), "Ом");
        // The editor stays over its cell with the focus, for the next condition.
        EXPECT_TRUE(g.EditorShown());
        EXPECT_TRUE(g.Editor()->Focused());
        EXPECT_FALSE(g.grid->LayoutRunning());
    }
}

TEST(GridFilterRowKeys, CharactersTheGridGetsWhileFilterEditingGoToTheFilterEditor) {
    FilterRowGrid g;
    g.Press(VK_UP);
    g.Type("a");
    // The editor comes back over its cell with its text selected, and the character types over it.
    g.grid->Perform(WM_CHAR, 'b', 0);
    g.grid->Perform(WM_CHAR, '\r', 0);  // no printable character: the grid's own
    g.ui.ProcessMessages();
    EXPECT_EQ(g.EditorText(), "b");
    g.grid->Perform(WM_CHAR, '\b', 0);
    g.ui.ProcessMessages();
    EXPECT_EQ(g.EditorText(), "");
    EXPECT_EQ(g.CurrentId(), 1);
}

TEST(GridFilterRowKeys, AConditionThatDoesNotReadWaitsForEnterWhichReportsIt) {
    FilterRowGrid g;
    g.CountFilterApplies();
    g.Press(VK_UP);
    g.Type("=5");
    EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).FilterText(), "=5");
    g.Type(" and 'x");  // an open quote: no condition yet, the last one that read stays
    EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).FilterText(), "=5 and ");
    EXPECT_THROW(g.grid->ApplyFilterRow(), Exception);
    EXPECT_EQ(g.filterApplies, 0);
    EXPECT_TRUE(g.EditorShown());
    EXPECT_EQ(g.EditorText(), "=5 and 'x");
}

TEST(GridFilterRowKeys, AFailingApplyStillPutsTheEditorBackAndKeepsTheColumnsInView) {
    FilterRowGrid g;
    g.grid->OnFilterApply = [](TObject*) { throw Exception("refused"); };
    g.Press(VK_UP);
    g.Type("x");
    EXPECT_THROW(g.grid->ApplyFilterRow(), Exception);
    EXPECT_TRUE(g.EditorShown());
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).FilterText(), "x");
}

TEST(GridFilterRowKeys, TextBeingTypedSurvivesTheGridPlacingItsEditorAgain) {
    FilterRowGrid g;
    g.Press(VK_UP);
    g.Type("ab");
    g.Press(VK_LEFT);
    g.ds.Refresh();  // the dataset changed: the grid places its editors again
    g.Column(FilterRowGrid::IdCol)->SetWidth(g.Column(FilterRowGrid::IdCol)->Width() + 20);
    g.ui.ProcessMessages();
    EXPECT_EQ(g.EditorText(), "ab");
    EXPECT_EQ(g.Editor()->SelStart(), 1);
    EXPECT_EQ(g.Filter(FilterRowGrid::NameCol).FilterText(), "ab");
    EXPECT_TRUE(g.Editor()->Focused());
    TRect cell = g.FilterCellRect(FilterRowGrid::NameCol);
    ++cell.Left;
    EXPECT_EQ(g.Editor()->BoundsRect(), cell);
}

TEST(GridFilterRowKeys, WithRowSelectionUpEntersTheFirstFilterCellAndKeepsTheCurrentColumn) {
    FilterRowGrid g;
    g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoRowSelectEh});
    g.Filter(FilterRowGrid::IdCol).SetVisible(false);
    g.Filter(FilterRowGrid::NameCol).SetVisible(false);
    g.Press(VK_UP);
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    EXPECT_EQ(g.grid->SelectedColumnIndex(), FilterRowGrid::NameCol);
}

TEST(GridFilterRowKeys, TheFocusComingToTheGridFromElsewhereGoesOnToTheFilterEditor) {
    FilterRowGrid g;
    auto* other = NewComponent<TEdit>(g.form);
    other->SetParent(g.form);
    other->SetBounds(10, 320, 100, 24);
    g.Press(VK_UP);
    other->SetFocus();
    ASSERT_TRUE(other->Focused());
    g.grid->SetFocus();
    EXPECT_TRUE(g.Editor()->Focused());
    g.Press(VK_DOWN);
    other->SetFocus();
    g.grid->SetFocus();
    EXPECT_TRUE(g.grid->Focused()) << "no filter editing any more";
}

TEST(GridFilterRowKeys, WithRowSelectionAFilterCellOutOfViewIsScrolledTo) {
    FilterRowGrid g;
    g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoRowSelectEh});
    for (int col = 0; col < 3; ++col) g.Column(col)->SetWidth(150);
    g.grid->SetWidth(200);
    g.ui.ProcessMessages();
    g.Press(VK_UP);
    ASSERT_EQ(g.EditedFilterColumn(), FilterRowGrid::IdCol);
    const int current = g.grid->SelectedColumnIndex();
    g.Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::CityCol);
    const int cityGridCol = g.grid->DataColToGridCol(FilterRowGrid::CityCol);
    EXPECT_LE(g.grid->LeftCol(), cityGridCol);
    EXPECT_GT(g.grid->LeftCol() + g.grid->VisibleColCount(), cityGridCol);
    EXPECT_EQ(g.grid->SelectedColumnIndex(), current);
    EXPECT_TRUE(g.EditorShown());
}

TEST(GridFilterRowKeys, AnAlwaysShownCellEditorStepsAsideForTheFilterRowAndComesBack) {
    FilterRowGrid g;
    g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
    g.ui.ProcessMessages();
    auto cellEditorShown = [&] {
        return g.grid->InplaceEditor() != nullptr && g.grid->InplaceEditor()->Visible();
    };
    ASSERT_TRUE(cellEditorShown());
    g.Press(VK_UP);
    EXPECT_EQ(g.EditedFilterColumn(), FilterRowGrid::NameCol);
    EXPECT_FALSE(cellEditorShown());
    EXPECT_FALSE(g.grid->KeepsEditorShown());
    g.Press(VK_TAB);
    EXPECT_FALSE(cellEditorShown()) << "entering another column keeps it aside";
    g.Press(VK_DOWN);
    EXPECT_EQ(g.EditedFilterColumn(), -1);
    EXPECT_TRUE(cellEditorShown());
}

}  // namespace
