// Sizing columns by the mouse: frozen columns the base grid does not size, live sizing that
// follows the pointer, the dotted line on the headless surface, and the pointer's shapes.
#include "db_grid_mouse_fixture.h"

#include "platform/ui/messages.h"

namespace grid_mouse_test {
namespace {

class GridSizingTest : public GridMouseTest {
  protected:
    void SetUp() override {
        GridMouseTest::SetUp();
        grid->SetFrozenCols(1);
        grid->RefreshLayout();
        ui.ProcessMessages();
        ASSERT_EQ(grid->FixedCols(), 2);
    }
    // A column of the surface down the data rows, every pixel.
    std::vector<std::uint32_t> Down(int x) const {
        std::vector<std::uint32_t> pixels;
        for (int y = grid->CellRect(1, 1).Top; y < grid->CellRect(1, 6).Bottom; ++y)
            pixels.push_back(Pixel(x, y));
        return pixels;
    }
    static bool Dotted(const std::vector<std::uint32_t>& before, const std::vector<std::uint32_t>& now) {
        int inverted = 0;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (now[i] == (before[i] ^ 0x00FFFFFFu))
                ++inverted;
            else if (now[i] != before[i])
                return false;
        }
        return inverted > 0 && inverted < static_cast<int>(before.size());
    }
    TPoint TitleBorder(int col) const { return {grid->CellRect(col, 0).Right, Middle(col, 0).Y}; }
};

TEST_F(GridSizingTest, AFrozenColumnIsSizedByADottedLineThatFollowsTheMouse) {
    const int width = Column(0)->Width();
    const TPoint border = TitleBorder(1);
    const std::vector<std::uint32_t> atBorder = Down(border.X);
    const std::vector<std::uint32_t> further = Down(border.X + 20);
    Press(border);
    ASSERT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsSizingFrozenEh);
    EXPECT_TRUE(Dotted(atBorder, Down(border.X)));
    MoveTo({border.X + 20, border.Y});
    EXPECT_EQ(Down(border.X), atBorder) << "drawn again, the old line is gone";
    EXPECT_TRUE(Dotted(further, Down(border.X + 20)));
    EXPECT_EQ(Column(0)->Width(), width) << "sized on the release";
    Release({border.X + 20, border.Y});
    EXPECT_EQ(Column(0)->Width(), width + 20);
    EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh);
}

TEST_F(GridSizingTest, CancelModeTakesTheFrozenSizingLineAwayAndKeepsTheWidth) {
    const int width = Column(0)->Width();
    const TPoint border = TitleBorder(1);
    const std::vector<std::uint32_t> further = Down(border.X + 20);
    Press(border);
    MoveTo({border.X + 20, border.Y});
    ASSERT_TRUE(Dotted(further, Down(border.X + 20)));
    grid->Perform(WM_CANCELMODE);
    EXPECT_EQ(Down(border.X + 20), further);
    EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh);
    Release({border.X + 20, border.Y});
    EXPECT_EQ(Column(0)->Width(), width);
}

TEST_F(GridSizingTest, WithTraceSizingColumnsTakeTheirWidthAsThePointerMoves) {
    grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoTraceColSizingEh});
    struct Case {
        const char* what;
        int gridCol;
    } cases[] = {{"frozen", 1}, {"scrolling", 2}};
    for (const Case& c : cases) {
        TColumnEh* column = Column(c.gridCol - 1);
        const int width = column->Width();
        const TPoint border = TitleBorder(c.gridCol);
        const std::vector<std::uint32_t> further = Down(border.X + 15);
        Press(border);
        MoveTo({border.X + 15, border.Y});
        EXPECT_EQ(column->Width(), width + 15) << c.what;
        MoveTo({border.X - width - 40, border.Y});
        EXPECT_EQ(column->Width(), 1) << c.what << ": never below one pixel";
        MoveTo({border.X + 15, border.Y});
        Release({border.X + 15, border.Y});
        EXPECT_EQ(column->Width(), width + 15) << c.what;
        EXPECT_EQ(grid->GridState(), gsNormal) << c.what;
        EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh) << c.what;
    }
}

TEST_F(GridSizingTest, RowsAreSizedOnTheIndicatorOnly) {
    grid->SetRowSizingAllowed(true);
    grid->SetOptions(grid->Options() - TDBGridEhOptions{gdoTabsEh});
    const int border = grid->CellRect(0, 2).Bottom;
    struct Case {
        const char* where;
        int x;
        TGridState state;
    } cases[] = {{"indicator", Middle(0, 2).X, gsRowSizing}, {"frozen column", Middle(1, 2).X, gsNormal}};
    for (const Case& c : cases) {
        TGridDrawInfo info;
        grid->CalcDrawInfo(info);
        TGridState state = gsNormal;
        int index = -1;
        int pos = 0;
        int ofs = 0;
        grid->CalcSizingState(c.x, border, state, index, pos, ofs, info);
        EXPECT_EQ(state, c.state) << c.where;
    }
}

TEST_F(GridSizingTest, ThePointerShowsWhatAPressWouldDo) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    TDBGridEhUnit& unit = *DBGridEhUnit();
    struct Case {
        const char* where;
        TPoint at;
        TCursor cursor;
    } cases[] = {
        {"frozen border", TitleBorder(1), crHSplit},
        {"indicator of a record", Middle(0, 3), unit.RowSelectCursor()},
        {"title's bottom band", {Middle(2, 0).X, grid->CellRect(2, 0).Bottom - 2}, unit.ColumnSelectCursor()},
    };
    for (const Case& c : cases) {
        MoveTo(c.at, {});
        ASSERT_FALSE(ui.System().PointerShapes().empty());
        EXPECT_EQ(ui.System().PointerShapes().back(), c.cursor) << c.where;
    }
    for (TPoint plain : {Middle(2, 3), TPoint{Middle(2, 0).X, grid->CellRect(2, 0).Top + 1}}) {
        MoveTo(plain, {});
        const TCursor shown = ui.System().PointerShapes().back();
        EXPECT_NE(shown, unit.RowSelectCursor());
        EXPECT_NE(shown, unit.ColumnSelectCursor());
        EXPECT_NE(shown, crHSplit);
    }
}

}  // namespace
}  // namespace grid_mouse_test
