// Selecting past an edge of the data cells: the grid scrolls on timer 1, on the hand-driven clock,
// faster the further the pointer is.
#include "db_grid_mouse_fixture.h"

namespace grid_mouse_test {
namespace {

class GridAutoScrollTest : public GridMouseTest {
  protected:
    void SetUp() override {
        GridMouseTest::SetUp();
        grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh, gdoRowSelectEh});
        ui.ProcessMessages();
        FitRowsToClient(8);
    }
};

TEST_F(GridAutoScrollTest, DraggingRowsPastTheBottomMovesRowsPerTickByDistance) {
    struct Case {
        int below;  // pixels past the last pixel of the data rows
        int rowsPerTick;
        int interval;
    } cases[] = {{30, 5, 0}, {12, 2, 20}, {5, 0, 125}, {60, 8, 0}};
    for (const Case& c : cases) {
        GoTo(1);
        grid->SelectedRows()->Clear();
        Press(Middle(1, 1));
        ASSERT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsSelectingRowsEh);
        const TPoint past{Middle(1, 1).X, grid->ClientHeight() - 1 + c.below};
        MoveTo(past);
        // The pointer's row first (the last one shown), then the first tick's rows.
        const int lastShown = grid->TopDataOffset() + 7;
        const int afterMove = CurrentId();
        EXPECT_EQ(afterMove, lastShown + c.rowsPerTick) << c.below;
        EXPECT_EQ(grid->ScrollTimerInterval(), c.interval) << c.below;
        ui.Advance(std::max(c.interval, 10));
        EXPECT_EQ(CurrentId(), afterMove + c.rowsPerTick) << c.below << ": one more tick";
        EXPECT_EQ(grid->SelectedRows()->Count(), CurrentId()) << c.below << ": every row passed is selected";
        Release(past);
        EXPECT_EQ(grid->ScrollTimerInterval(), -1) << c.below;
        const int released = CurrentId();
        ui.Advance(200);
        EXPECT_EQ(CurrentId(), released) << c.below << ": no tick after the release";
    }
}

TEST_F(GridAutoScrollTest, DraggingRowsAboveTheDataMovesBackAndBackInsideStopsTheTimer) {
    GoTo(20);
    Press(Middle(1, 3));
    const int pressed = CurrentId();
    const int top = grid->CellRect(1, grid->TopDataOffset()).Top;
    MoveTo({Middle(1, 3).X, top - 18});
    EXPECT_EQ(grid->ScrollTimerInterval(), 0);
    const int afterMove = CurrentId();
    ui.Advance(10);
    EXPECT_EQ(CurrentId(), afterMove - 3);
    EXPECT_LT(afterMove, pressed);
    MoveTo(Middle(1, 3));
    EXPECT_EQ(grid->ScrollTimerInterval(), -1);
    Release(Middle(1, 3));
}

TEST_F(GridMouseTest, ASelectionOfColumnsDraggedPastTheRightEdgeScrollsOneColumnPerTick) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
    for (const char* field : {"ID", "NAME", "CITY"}) columns.Add()->SetFieldName(field);
    for (int i = 0; i < 6; ++i) Column(i)->SetWidth(120);
    ui.ProcessMessages();
    const int leftCol = grid->LeftCol();
    // The title's bottom band selects its column.
    Press({Middle(1, 0).X, grid->CellRect(1, 0).Bottom - 2});
    ASSERT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsSelectingColumnsEh);
    ASSERT_EQ(grid->Selection()->Kind(), gskColumnsEh);
    MoveTo({grid->ClientWidth() - 1 + 5, Middle(1, 0).Y});
    EXPECT_EQ(grid->ScrollTimerInterval(), 150);
    EXPECT_EQ(grid->LeftCol(), leftCol + 1);
    ui.Advance(149);
    EXPECT_EQ(grid->LeftCol(), leftCol + 1);
    ui.Advance(1);
    EXPECT_EQ(grid->LeftCol(), leftCol + 2);
    Release({grid->ClientWidth() + 4, Middle(1, 0).Y});
    EXPECT_EQ(grid->ScrollTimerInterval(), -1);
    EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh);
}

TEST_F(GridMouseTest, ACellDraggedPastTheRightEdgeScrollsAndMovesOneColumnPerTick) {
    auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
    for (const char* field : {"ID", "NAME", "CITY"}) columns.Add()->SetFieldName(field);
    for (int i = 0; i < 6; ++i) Column(i)->SetWidth(120);
    ui.ProcessMessages();
    Press(Middle(1, 2));
    MoveTo({grid->ClientWidth() - 1 + 10, Middle(1, 2).Y});
    EXPECT_EQ(grid->ScrollTimerInterval(), 50);
    const int col = grid->Col();
    const int left = grid->LeftCol();
    ui.Advance(50);
    EXPECT_EQ(grid->Col(), col + 1);
    EXPECT_EQ(grid->LeftCol(), left + 1);
    EXPECT_EQ(CurrentId(), 2) << "the record pressed stays";
    Release({grid->ClientWidth() - 1 + 10, Middle(1, 2).Y});
    EXPECT_EQ(grid->ScrollTimerInterval(), -1);
}

}  // namespace
}  // namespace grid_mouse_test
