// The grid's keys: moving the current cell (SelectCell may refuse), extending the selection, Tab
// through the tab stops, row selection, and which keys the grid keeps from the form.
#include "grid_fixture.h"
#include "platform/ui/virtual_keys.h"

namespace {

class GridKeysTest : public GridTest {};

TEST_F(GridKeysTest, KeysMoveTheCurrentCellPastHiddenColumnsUnlessSelectCellRefuses) {
    grid->Refused = {{2, 3}};
    grid->SetColWidths(3, -1);
    int page = grid->VisibleRowCount();
    ASSERT_EQ(page, 3);
    struct Step {
        WORD key;
        TShiftState shift;
        TGridCoord current;
        int top;
    } steps[] = {
        {VK_DOWN, {}, {1, 2}, 1},       {VK_RIGHT, {}, {2, 2}, 1},
        {VK_DOWN, {}, {2, 2}, 1},   // refused
        {VK_RIGHT, {}, {4, 2}, 1},  // over the hidden column
        {VK_LEFT, {}, {2, 2}, 1},       {VK_END, {}, {5, 2}, 1},
        {VK_HOME, {}, {1, 2}, 1},       {VK_UP, {}, {1, 1}, 1},
        {VK_UP, {}, {1, 1}, 1},  // the fixed row is not entered
        {VK_LEFT, {}, {1, 1}, 1},       {VK_NEXT, {}, {1, 4}, 4},
        {VK_PRIOR, {}, {1, 1}, 1},      {VK_END, {ssCtrl}, {5, 7}, 5},
        {VK_HOME, {ssCtrl}, {1, 1}, 1}, {VK_DOWN, {ssCtrl}, {1, 1}, 2},  // Ctrl scrolls the view alone
        {VK_NEXT, {ssCtrl}, {1, 4}, 2},
    };
    for (const Step& s : steps) {
        ui.PressKey(s.key, s.shift);
        EXPECT_EQ(Current(), s.current) << "key " << s.key;
        EXPECT_EQ(grid->TopRow(), s.top) << "key " << s.key;
    }
}

TEST_F(GridKeysTest, ShiftExtendsTheSelectionFromTheAnchor) {
    ui.PressKey(VK_DOWN, {ssShift});
    ui.PressKey(VK_RIGHT, {ssShift});
    EXPECT_EQ(Current(), (TGridCoord{2, 2}));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
    ui.PressKey(VK_DOWN);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
    // Without range selection the anchor follows.
    grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
    ui.PressKey(VK_RIGHT, {ssShift});
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 3, 3, 3}));
}

TEST_F(GridKeysTest, TabVisitsTheTabStopsRowAfterRow) {
    grid->SetOptions(grid->Options() + TGridOptions{goTabs});
    grid->SetTabStops(2, false);
    grid->SetColWidths(4, -1);
    TGridCoord expected[] = {{3, 1}, {5, 1}, {1, 2}, {3, 2}};
    for (TGridCoord c : expected) {
        ui.PressKey(VK_TAB);
        EXPECT_EQ(Current(), c);
    }
    ui.PressKey(VK_TAB, {ssShift});
    ui.PressKey(VK_TAB, {ssShift});
    EXPECT_EQ(Current(), (TGridCoord{5, 1}));
    EXPECT_EQ(grid->Selection(), (TGridRect{5, 1, 5, 1})) << "Shift+Tab selects nothing";
    EXPECT_TRUE(grid->Focused());
}

TEST_F(GridKeysTest, RowSelectSelectsWholeRowsAndScrollsSideways) {
    grid->SetOptions(grid->Options() + TGridOptions{goRowSelect, goEditing, goAlwaysShowEditor});
    EXPECT_FALSE(grid->Options().Contains(goAlwaysShowEditor)) << "a row has no cell to edit";
    ui.PressKey(VK_DOWN);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 5, 2}));
    ui.PressKey(VK_RIGHT);
    EXPECT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(grid->Col(), 1);
    ui.TypeText("z");
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->Text(1, 2), "B2");
}

TEST_F(GridKeysTest, TheGridKeepsArrowsAndTakesTabAndCharactersByItsOptions) {
    struct Case {
        TGridOptions add;
        LRESULT code;
    } cases[] = {
        {{}, DLGC_WANTARROWS},
        {{goTabs}, DLGC_WANTARROWS | DLGC_WANTTAB},
        {{goEditing}, DLGC_WANTARROWS | DLGC_WANTCHARS},
        {{goTabs, goEditing, goRowSelect}, DLGC_WANTARROWS},
    };
    TGridOptions base = grid->Options();
    for (const Case& c : cases) {
        grid->SetOptions(base + c.add);
        EXPECT_EQ(grid->Perform(WM_GETDLGCODE), c.code);
    }
}

TEST_F(GridKeysTest, TheWheelMovesTheCurrentRow) {
    platform::ui::PostMouseWheel(*form, {}, -120, FormPoint({60, 30}));
    ui.ProcessMessages();
    EXPECT_EQ(grid->Row(), 2);
    platform::ui::PostMouseWheel(*form, {}, 120, FormPoint({60, 30}));
    platform::ui::PostMouseWheel(*form, {}, 120, FormPoint({60, 30}));
    ui.ProcessMessages();
    EXPECT_EQ(grid->Row(), 1);
}

}  // namespace
