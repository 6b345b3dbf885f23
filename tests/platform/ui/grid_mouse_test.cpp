// The grid's mouse states: sizing columns and rows at their borders in the fixed cells, moving them
// by their fixed cells with the drag hooks in order, and selecting past an edge on the timer.
#include "grid_fixture.h"
#include "platform/ui/mouse_capture.h"

namespace {

using Log = std::vector<std::string>;

class GridMouseTest : public GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing, goColMoving, goRowMoving});
        grid->Logging = true;
    }
    // The drag hooks and moves called, without the editor's questions.
    Log Hooks() const {
        Log hooks;
        for (const std::string& call : grid->Log)
            if (!call.starts_with("CanEditShow"))
                hooks.push_back(call);
        return hooks;
    }
};

// Column 1 ends at 101 (its line), row 1 at 41.
TEST_F(GridMouseTest, BordersInTheFixedCellsSizeWhatTheyEnd) {
    struct Case {
        const char* what;
        TPoint from, to;
        int colWidth1, rowHeight1;
        Log hooks;
    } cases[] = {
        {"column border in the fixed row", {101, 5}, {121, 5}, 70, 20, {"ColWidthsChanged"}},
        {"inside the zone left of it", {119, 5}, {109, 5}, 60, 20, {"ColWidthsChanged"}},  // the offset is
                                                                                           // kept
        {"row border in the fixed column", {5, 41}, {5, 51}, 60, 30, {"RowHeightsChanged"}},
        {"a border between scrolling cells", {101, 30}, {121, 30}, 60, 30, {}},
        {"narrower than two pixels is refused", {111, 5}, {52, 5}, 60, 30, {}},
    };
    for (const Case& c : cases) {
        grid->Log.clear();
        Press(c.from);
        MoveTo(c.to);
        Release(c.to);
        ui.Advance(1000);
        EXPECT_EQ(grid->ColWidths(1), c.colWidth1) << c.what;
        EXPECT_EQ(grid->RowHeights(1), c.rowHeight1) << c.what;
        EXPECT_EQ(Hooks(), c.hooks) << c.what;
        EXPECT_EQ(grid->GridState(), gsNormal);
    }
}

TEST_F(GridMouseTest, SizingNeedsItsOption) {
    grid->SetOptions(grid->Options() - TGridOptions{goColSizing, goRowSizing});
    Drag({101, 5}, {121, 5});
    Drag({5, 41}, {5, 51});
    EXPECT_EQ(grid->ColWidths(1), 50);
    EXPECT_EQ(grid->RowHeights(1), 20);
}

TEST_F(GridMouseTest, MovingAColumnCallsItsHooksInOrderAndTakesTheCurrentCellAlong) {
    Press({70, 5});  // the fixed cell of column 1, away from borders
    EXPECT_EQ(grid->GridState(), gsColMoving);
    EXPECT_EQ(GetCaptureControl(), grid);
    MoveTo({130, 5});
    Release({130, 5});
    EXPECT_EQ(Hooks(),
              (Log{"BeginColumnDrag 1 1", "CheckColumnDrag 1 2", "EndColumnDrag 1 2", "ColumnMoved 1 2"}));
    EXPECT_EQ(grid->Text(2, 2), "B2");
    EXPECT_EQ(grid->Text(1, 2), "C2");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(GridMouseTest, ARefusedDropMovesNothing) {
    grid->RefuseColumnDrop = true;
    Drag({70, 5}, {130, 5});
    EXPECT_EQ(Hooks().back(), "EndColumnDrag 1 2");
    EXPECT_EQ(grid->Text(1, 2), "B2");
}

TEST_F(GridMouseTest, MovingARowCallsTheRowHooks) {
    Drag({20, 50}, {20, 70});
    EXPECT_EQ(Hooks(),
              (Log{"BeginGridRowDrag 2 2", "CheckGridRowDrag 2 3", "EndGridRowDrag 2 3", "RowMoved 2 3"}));
    EXPECT_EQ(grid->Text(1, 3), "B2");
    EXPECT_EQ(grid->Text(1, 2), "B3");
}

TEST_F(GridMouseTest, SelectingPastTheBottomScrollsOneRowPerTick) {
    Press({60, 30});   // cell 1,1
    MoveTo({60, 95});  // the row cut off at the bottom: it is selected and scrolled into view
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 4}));
    EXPECT_EQ(grid->TopRow(), 2);
    for (int tick = 5; tick <= 7; ++tick) {
        ui.Advance(60);
        EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, tick}));
        EXPECT_EQ(grid->TopRow(), tick - 2);
    }
    ui.Advance(60);
    EXPECT_EQ(grid->Selection().Bottom, 7) << "the last row stops it";
    Release({60, 95});
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->GridState(), gsNormal);
}

TEST_F(GridMouseTest, ReleasingStopsTheTimerAndShiftClickExtends) {
    Press({60, 30});
    MoveTo({110, 30});
    Release({110, 30});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 1}));
    ui.Advance(60);
    ui.Advance(60);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 1}));
    ui.Advance(1000);
    Press({130, 70}, {ssShift});
    Release({130, 70}, {ssShift});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));
}

TEST_F(GridMouseTest, CancelModeEndsAMove) {
    Press({70, 5});
    MoveTo({130, 5});
    grid->Perform(WM_CANCELMODE);
    EXPECT_EQ(grid->GridState(), gsNormal);
    Release({130, 5});
    EXPECT_EQ(grid->Text(1, 2), "B2");
}

}  // namespace
