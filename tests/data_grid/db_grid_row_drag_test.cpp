// Records dragged by the indicator: the drop line on the headless surface, the check while the
// pointer moves, and what a drop moves.
#include "db_grid_mouse_fixture.h"

namespace grid_mouse_test {
namespace {

struct MoveCall {
    std::vector<std::string> bookmarks;
    int targetRecNo;
    bool checkOnly;
};

class GridRowDragTest : public GridMouseTest {
  protected:
    void SetUp() override {
        GridMouseTest::SetUp();
        grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoRecordMovingEh});
        grid->OnRecordsMove = [this](TObject*, const std::vector<std::string>& Bookmarks, int TargetRecNo,
                                     int, bool CheckOnly) {
            calls.push_back({Bookmarks, TargetRecNo, CheckOnly});
            return true;
        };
        ui.ProcessMessages();
    }
    int Drops() const {
        int drops = 0;
        for (const MoveCall& call : calls) drops += call.checkOnly ? 0 : 1;
        return drops;
    }
    // A row of the surface across the data columns, every 4th pixel.
    std::vector<std::uint32_t> Line(int y) const {
        std::vector<std::uint32_t> pixels;
        for (int x = grid->CellRect(1, 1).Left; x < grid->ClientWidth(); x += 4)
            pixels.push_back(Pixel(x, y));
        return pixels;
    }
    std::vector<MoveCall> calls;
};

TEST_F(GridRowDragTest, ADropMovesTheRecordsUnlessItLandsOnTheirOwnRow) {
    struct Case {
        const char* what;
        int toRow;  // grid row the pointer is released on, the drag starting on row 3
        int drops;
        int targetRecNo;
    } cases[] = {{"own row", 3, 0, 0}, {"two rows down", 5, 1, 5}, {"one row up", 2, 1, 2}};
    for (const Case& c : cases) {
        calls.clear();
        GoTo(1);
        Press(Middle(0, 3));
        ASSERT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsDraggingRowsEh) << c.what;
        MoveTo(Middle(0, c.toRow));
        EXPECT_EQ(grid->DropTargetRow(), c.toRow) << c.what;
        Release(Middle(0, c.toRow));
        EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh) << c.what;
        EXPECT_EQ(grid->ScrollTimerInterval(), -1) << c.what;
        ASSERT_EQ(Drops(), c.drops) << c.what;
        if (c.drops == 0)
            continue;
        const MoveCall& drop = calls.back();
        EXPECT_EQ(drop.targetRecNo, c.targetRecNo) << c.what;
        ASSERT_EQ(drop.bookmarks.size(), 1u) << c.what;
        EXPECT_EQ(drop.bookmarks[0], BookmarkOf(3)) << c.what << ": the record pressed";
    }
}

TEST_F(GridRowDragTest, TheDropLineIsDrawnUnderOrOverTheTargetAndRemovedOnTheDrop) {
    GoTo(1);
    const int rowTop = grid->CellRect(1, 5).Top;
    const int rowBottom = grid->CellRect(1, 5).Bottom;
    const std::vector<std::uint32_t> top = Line(rowTop);
    const std::vector<std::uint32_t> bottom = Line(rowBottom);
    Press(Middle(0, 3));
    MoveTo(Middle(0, 5));
    // Dragged downward: the line runs along the target's bottom, dotted and inverted.
    EXPECT_TRUE(grid->DropLineBelow());
    EXPECT_EQ(Line(rowTop), top);
    std::vector<std::uint32_t> drawn = Line(rowBottom);
    int inverted = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (drawn[i] == (bottom[i] ^ 0x00FFFFFFu))
            ++inverted;
        else
            EXPECT_EQ(drawn[i], bottom[i]) << "x sample " << i;
    }
    EXPECT_GT(inverted, 0);
    grid->OnRecordsMove = nullptr;
    Release(Middle(0, 5));
    EXPECT_EQ(Line(rowBottom), bottom);
}

TEST_F(GridRowDragTest, ATargetTheProgramRefusesKeepsTheLineWhereItWas) {
    grid->OnRecordsMove = [](TObject*, const std::vector<std::string>&, int TargetRecNo, int, bool) {
        return TargetRecNo != 4;
    };
    GoTo(1);
    Press(Middle(0, 2));
    MoveTo(Middle(0, 4));
    EXPECT_EQ(grid->DropTargetRow(), 2);
    MoveTo(Middle(0, 5));
    EXPECT_EQ(grid->DropTargetRow(), 5);
    Release(Middle(0, 5));
}

TEST_F(GridRowDragTest, HeldBelowTheRowsTheDragScrollsOneRecordPerTickAndDropsOnTheLastRow) {
    FitRowsToClient(8);
    GoTo(1);
    Press(Middle(0, 3));
    const TPoint below{Middle(0, 3).X, grid->ClientHeight() + 10};
    MoveTo(below);
    EXPECT_EQ(grid->ScrollTimerInterval(), 60);
    // Each tick shows one record more at the bottom, the current one, and aims there.
    ui.Advance(60);
    const int lastRow = grid->TopDataOffset() + 7;
    EXPECT_EQ(grid->DropTargetRow(), lastRow);
    const int shownLast = CurrentId();
    EXPECT_EQ(shownLast, 9);
    ui.Advance(60);
    EXPECT_EQ(CurrentId(), shownLast + 1);
    EXPECT_EQ(grid->DropTargetRow(), lastRow);
    Release(below);
    ASSERT_EQ(Drops(), 1);
    EXPECT_EQ(calls.back().targetRecNo, CurrentId()) << "the record shown last";
    EXPECT_EQ(calls.back().bookmarks, std::vector<std::string>{BookmarkOf(3)});
}

TEST_F(GridRowDragTest, WithRowSelectionOnlyASelectedRowDragsAndItTakesTheWholeSelection) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    GoTo(1);
    Press(Middle(0, 4));
    EXPECT_NE(grid->GridDragState(), TCustomDBGridEh::dgsDraggingRowsEh) << "not selected: selects it";
    Release(Middle(0, 4));
    GoTo(2);
    grid->SelectedRows()->SelectCurrentRow(true);
    ASSERT_EQ(grid->SelectedRows()->Count(), 2);
    Press(Middle(0, 2));
    ASSERT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsDraggingRowsEh);
    MoveTo(Middle(0, 6));
    Release(Middle(0, 6));
    ASSERT_EQ(Drops(), 1);
    EXPECT_EQ(calls.back().bookmarks.size(), 2u);
}

}  // namespace
}  // namespace grid_mouse_test
