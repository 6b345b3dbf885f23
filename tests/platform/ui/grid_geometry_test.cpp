// The grid's geometry: where cells lie with fixed, hidden and scrolled cells and lines of any width,
// which cell a point hits, and the view's place shown by the window's scroll bars.
#include "grid_fixture.h"
#include "platform/ui/scroll_info.h"

namespace {

std::string Shown(const TRect& r) {
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + ")";
}

class GridGeometryTest : public GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        // Columns 30 | 40 | hidden | 50 | 60 | 70, rows 20 then 18 each.
        int widths[] = {30, 40, -1, 50, 60, 70};
        for (int c = 0; c < 6; ++c) grid->SetColWidths(c, widths[c]);
        grid->SetDefaultRowHeight(18);
        grid->SetRowHeights(0, 20);
    }
};

TEST_F(GridGeometryTest, CellRectAndMouseCoordAgreeForEveryViewAndLineWidth) {
    struct Case {
        int line, left, top, col, row;
        TRect rect;
    } cases[] = {
        {1, 1, 1, 0, 0, {0, 0, 30, 20}},       // fixed corner
        {1, 1, 1, 1, 1, {31, 21, 71, 39}},     // first scrolling cell
        {1, 1, 1, 3, 2, {72, 40, 122, 58}},    // after the hidden column, which takes no line
        {1, 1, 1, 2, 1, {}},                   // the hidden column
        {1, 1, 1, 5, 5, {184, 97, 200, 100}},  // cut off by the client edge
        {1, 1, 1, 1, 6, {}},                   // below the client area
        {0, 1, 1, 3, 2, {70, 38, 120, 56}},    // no lines
        {3, 1, 1, 3, 2, {76, 44, 126, 62}},    // thick lines
        {1, 3, 1, 3, 1, {31, 21, 81, 39}},     // scrolled: column 3 first
        {1, 3, 1, 1, 1, {}},                   // scrolled out of view
        {1, 3, 1, 0, 1, {0, 21, 30, 39}},      // the fixed column stays
        {1, 3, 4, 4, 4, {82, 21, 142, 39}},    // scrolled both ways
        {1, 3, 4, 4, 0, {82, 0, 142, 20}},     // fixed row over a scrolled column
    };
    for (const Case& c : cases) {
        grid->SetGridLineWidth(c.line);
        grid->SetLeftCol(c.left);
        grid->SetTopRow(c.top);
        ASSERT_EQ(grid->LeftCol(), c.left);
        ASSERT_EQ(grid->TopRow(), c.top);
        SCOPED_TRACE(testing::Message() << "cell " << c.col << "," << c.row << " line " << c.line << " view "
                                        << c.left << "," << c.top);
        TRect r = grid->CellRect(c.col, c.row);
        EXPECT_EQ(Shown(r), Shown(c.rect));
        if (r.IsEmpty())
            continue;
        EXPECT_EQ(grid->MouseCoord(r.Left, r.Top), (TGridCoord{c.col, c.row}));
        EXPECT_EQ(grid->MouseCoord(r.Right - 1, r.Bottom - 1), (TGridCoord{c.col, c.row}));
        // A cell's line belongs to it.
        if (c.line > 0 && r.Right + c.line <= 200 && r.Bottom + c.line <= 100) {
            EXPECT_EQ(grid->MouseCoord(r.Right + c.line - 1, r.Bottom + c.line - 1),
                      (TGridCoord{c.col, c.row}));
        }
    }
}

TEST_F(GridGeometryTest, PointsOnNoCellGiveMinusOne) {
    grid->SetColWidths(5, 20);  // the last column ends at 205: the grid ends inside the client area
    grid->SetRowCount(3);
    TPoint points[] = {{-1, 5}, {5, -1}, {210, 5}, {5, 70}, {199, 99}};
    for (TPoint p : points) EXPECT_EQ(grid->MouseCoord(p.X, p.Y), (TGridCoord{-1, -1})) << p.X << "," << p.Y;
}

TEST_F(GridGeometryTest, BoxesReachingPastTheGridCoverOnlyItsCells) {
    grid->SetRowCount(3);
    struct Case {
        int left, top, right, bottom;
        TRect rect;
    } cases[] = {
        {1, 1, 1, 1, {31, 21, 71, 39}},
        {1, 1, 99, 1, {31, 21, 200, 39}},  // columns past the last one
        {1, 1, 1, 99, {31, 21, 71, 58}},   // rows past the last one
        {-5, -5, 0, 0, {0, 0, 30, 20}},    // before the first cell
        {7, 4, 9, 8, {}},                  // wholly outside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " - " << c.right << "," << c.bottom);
        EXPECT_EQ(Shown(grid->BoxRect(c.left, c.top, c.right, c.bottom)), Shown(c.rect));
    }
}

TEST_F(GridGeometryTest, TheViewNeverScrollsPastTheLastCellShownWhole) {
    // 170 pixels of room for scrolling columns: 50 + 60 + 70 and their lines do not fit, 60 + 70 do.
    grid->SetLeftCol(5);
    EXPECT_EQ(grid->LeftCol(), 4);
    EXPECT_EQ(grid->VisibleColCount(), 2);
    grid->SetTopRow(99);
    EXPECT_EQ(grid->TopRow(), 4);  // rows 4 to 7 fill 79 pixels of 80
    grid->SetTopRow(0);
    EXPECT_EQ(grid->TopRow(), 1);
    // Moving the current cell brings it into view.
    grid->SetTopRow(1);
    grid->SetRow(7);
    EXPECT_EQ(grid->TopRow(), 4);
    grid->SetCol(1);
    EXPECT_EQ(grid->LeftCol(), 1);
}

TEST_F(GridGeometryTest, FixedCountsStayBelowTheirCounts) {
    EXPECT_THROW(grid->SetFixedCols(6), EInvalidGridOperation);
    EXPECT_THROW(grid->SetFixedRows(8), EInvalidGridOperation);
    EXPECT_THROW(grid->SetFixedRows(-1), EInvalidGridOperation);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_THROW(grid->ColWidths(6), EInvalidGridOperation);
    EXPECT_THROW(grid->MoveColRow(1, 8, true, true), EInvalidGridOperation);
    // A count shrinking to its fixed count takes the fixed count with it, and the current cell stays inside.
    grid->SetFixedCols(3);
    grid->SetColCount(3);
    EXPECT_EQ(grid->FixedCols(), 2);
    EXPECT_EQ(grid->Col(), 2);
    grid->SetRow(7);
    grid->SetRowCount(4);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->ColWidths(2), -1) << "kept extents survive";
}

class GridScrollBarTest : public GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        grid->SetScrollBars(ssBoth);
        grid->SetColCount(10);
        grid->SetRowCount(20);
    }
    SCROLLINFO Bar(int bar) {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(grid->Handle(), bar, si));
        return si;
    }
    void Scroll(UINT msg, int code, int pos = 0) {
        grid->Perform(msg, static_cast<WPARAM>(code) | (static_cast<WPARAM>(pos) << 16), 0);
    }
};

TEST_F(GridScrollBarTest, BarsFollowTheViewAndTheirCodesMoveIt) {
    TGridDrawInfo info;
    grid->CalcDrawInfo(info);
    int lastLeft = 10 - grid->VisibleColCount();
    SCROLLINFO h = Bar(SB_HORZ);
    EXPECT_EQ(h.nMin, 0);
    EXPECT_EQ(h.nMax, 8);  // nine scrolling columns
    EXPECT_EQ(static_cast<int>(h.nPage), 10 - lastLeft);
    EXPECT_EQ(h.nPos, 0);
    struct Step {
        UINT msg;
        int code, pos;
        int left, top;
    } steps[] = {
        {WM_HSCROLL, SB_LINERIGHT, 0, 2, 1},
        {WM_HSCROLL, SB_PAGERIGHT, 0, 2 + grid->VisibleColCount(), 1},
        {WM_HSCROLL, SB_RIGHT, 0, lastLeft, 1},
        {WM_HSCROLL, SB_LINERIGHT, 0, lastLeft, 1},  // no further
        {WM_HSCROLL, SB_THUMBPOSITION, 2, 3, 1},
        {WM_HSCROLL, SB_THUMBTRACK, 5, 3, 1},  // tracking only with goThumbTracking
        {WM_VSCROLL, SB_LINEDOWN, 0, 3, 2},
        {WM_VSCROLL, SB_BOTTOM, 0, 3, -1},  // the last rows shown whole
        {WM_VSCROLL, SB_PAGEUP, 0, 3, -1},
        {WM_VSCROLL, SB_TOP, 0, 3, 1},
        {WM_VSCROLL, SB_LINEUP, 0, 3, 1},
    };
    int rows = grid->VisibleRowCount();
    int lastTop = 20 - rows;
    steps[7].top = lastTop;
    steps[8].top = lastTop - rows;
    for (const Step& s : steps) {
        Scroll(s.msg, s.code, s.pos);
        EXPECT_EQ(grid->LeftCol(), s.left) << s.code;
        EXPECT_EQ(grid->TopRow(), s.top) << s.code;
        EXPECT_EQ(Bar(SB_HORZ).nPos, grid->LeftCol() - 1);
        EXPECT_EQ(Bar(SB_VERT).nPos, grid->TopRow() - 1);
    }
    grid->SetOptions(grid->Options() + TGridOptions{goThumbTracking});
    Scroll(WM_HSCROLL, SB_THUMBTRACK, 5);
    EXPECT_EQ(grid->LeftCol(), 6);
}

TEST_F(GridScrollBarTest, AVirtualViewLeavesTheVerticalBarToTheDerivedGrid) {
    grid->SetVirtualView(true);
    SCROLLINFO mine;
    mine.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    mine.nMax = 4;
    mine.nPage = 1;
    mine.nPos = 2;
    SetScrollInfo(grid->Handle(), SB_VERT, mine, true);
    grid->SetTopRow(10);
    grid->SetColWidths(1, 80);
    SCROLLINFO v = Bar(SB_VERT);
    EXPECT_EQ(v.nMax, 4);
    EXPECT_EQ(v.nPos, 2);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 8) << "the horizontal bar is still the grid's";
}

}  // namespace
