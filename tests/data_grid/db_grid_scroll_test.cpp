// Scrolling the grid over the in-memory dataset: the vertical bar's codes and the wheel move the
// dataset, and a scroll of a row moves the shown pixels while a long jump paints everything again.
#include <vector>

#include "platform/ui/messages.h"
#include "platform/ui/raster_image.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/scroll_info.h"
#include "tests/data_grid/db_grid_layout_fixture.h"

namespace {

struct GridScrolling : GridLayout {
    GridScrolling() {
        Open(40);
        ShowRows(10);
        grid->SetFocus();
    }
    void Bar(int Code, int Pos = 0) {
        grid->Perform(WM_VSCROLL, static_cast<WPARAM>(Code) | (static_cast<WPARAM>(Pos) << 16), 0);
    }
};

TEST_F(GridScrolling, BarCodesMoveTheDataset) {
    ASSERT_EQ(grid->VisibleDataRowCount(), 10);
    ASSERT_EQ(grid->DataLink()->RecordCount(), 10);
    struct Case {
        const char* What;
        int StartId;
        int Code;
        int Pos;
        int Id;
    };
    const std::vector<Case> cases = {
        // Records 1 to 10 shown, the fourth current: the record below the last one shown.
        {"line down", 4, SB_LINEDOWN, 0, 11},
        {"line up", 15, SB_LINEUP, 0, 0},
        {"page down", 4, SB_PAGEDOWN, 0, 14},
        {"page up", 24, SB_PAGEUP, 0, 14},
        {"thumb", 4, SB_THUMBPOSITION, 25, 25},
        {"thumb at the first", 30, SB_THUMBPOSITION, 1, 1},
        {"thumb past the end", 4, SB_THUMBPOSITION, 99, 40},
        {"top", 30, SB_TOP, 0, 1},
        {"bottom", 4, SB_BOTTOM, 0, 40},
    };
    for (const Case& c : cases) {
        ds.First();
        ds.MoveBy(c.StartId - 1);
        const int firstShown = c.StartId - grid->DataLink()->ActiveRecord();
        Bar(c.Code, c.Pos);
        // A line up goes to the record above the first one shown.
        const int expected = c.Id != 0 ? c.Id : firstShown - 1;
        EXPECT_EQ(CurrentId(), expected) << c.What;
    }
}

TEST_F(GridScrolling, TheBarShowsTheRecordNumberOfASequencedDataset) {
    ds.Sequenced = true;
    ds.First();
    ds.MoveBy(19);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid->Handle(), SB_VERT, info));
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nPos, 20);
    EXPECT_EQ(static_cast<int>(info.nPage), 10);
    EXPECT_EQ(info.nMax, 40 + 10 - 1);
}

TEST_F(GridScrolling, TheWheelMovesOneRecordAndIsAlwaysHandled) {
    ds.First();
    ds.MoveBy(4);
    EXPECT_TRUE(grid->GridMouseWheel({}, -120, {10, 10}));
    EXPECT_EQ(CurrentId(), 6);
    EXPECT_TRUE(grid->GridMouseWheel({}, 120, {10, 10}));
    EXPECT_EQ(CurrentId(), 5);
}

TEST_F(GridScrolling, ARowsScrollMovesPixelsWhileALongJumpRepaints) {
    ds.First();
    ds.MoveBy(9);  // the last row shown
    ui.ProcessMessages();
    const TPoint origin = grid->FormOrigin();
    const TRect third = grid->CellRect(2, grid->TopDataOffset() + 3);
    const int x = origin.X + third.Left + 3;
    const int y = origin.Y + third.Top + 2;
    const std::uint32_t marker = 0xFF12AB34;
    auto& surface = form->SurfaceImage();
    // With the layout held the grid leaves its window to be painted later: what moved shows.
    grid->LockLayout();

    surface.SetPixel(x, y, marker);
    ds.Next();
    EXPECT_EQ(surface.Pixel(x, y - RowSpan()), marker) << "one row: the pixels moved up a row";
    ui.ProcessMessages();

    surface.SetPixel(x, y, marker);
    ds.MoveBy(grid->VisibleDataRowCount() + 1);
    EXPECT_EQ(surface.Pixel(x, y), marker) << "a long jump moves nothing";
    ui.ProcessMessages();
    EXPECT_NE(surface.Pixel(x, y), marker) << "and paints the rows afresh";
    grid->UnlockLayout();
}

// The pixels of the grid's part of the form.
std::vector<std::uint32_t> GridPixels(TForm& form, TCustomDBGridEh& grid) {
    const platform::ui::RasterImage& surface = form.SurfaceImage();
    const TPoint origin = grid.FormOrigin();
    std::vector<std::uint32_t> pixels;
    for (int y = origin.Y; y < origin.Y + grid.ClientHeight(); ++y)
        for (int x = origin.X; x < origin.X + grid.ClientWidth(); ++x) pixels.push_back(surface.Pixel(x, y));
    return pixels;
}

TEST_F(GridScrolling, DatasetMovesWaitForTheMessageLoopToPaintAsAFullRepaintWould) {
    struct Case {
        const char* What;
        std::vector<int> Moves;
    };
    const std::vector<Case> cases = {
        {"one row down", {1}},
        {"rows down and back", {1, 1, 1, -1, 2}},
        {"up past the first row shown", {-1, -1, -1, -1, -1, -1}},
        {"a row, then a long jump", {1, 15}},
        {"a walk to the last record", std::vector<int>(40, 1)},
    };
    for (const Case& c : cases) {
        ds.First();
        ds.MoveBy(5);
        ui.ProcessMessages();
        for (int move : c.Moves) ds.MoveBy(move);
        EXPECT_TRUE(form->NeedsPaint()) << c.What << ": nothing painted yet";
        ui.ProcessMessages();
        const std::vector<std::uint32_t> painted = GridPixels(*form, *grid);
        const int barPos = GetScrollPos(grid->Handle(), SB_VERT);
        grid->LinkDataSetChanged();
        ui.ProcessMessages();
        EXPECT_EQ(painted, GridPixels(*form, *grid)) << c.What;
        EXPECT_EQ(barPos, GetScrollPos(grid->Handle(), SB_VERT)) << c.What << ": the bar followed the moves";
    }
}

}  // namespace

namespace {

TEST_F(GridLayout, AnExternalHorizontalBarFollowsTheLeftColumn) {
    Open(3);
    auto* bar = NewComponent<TScrollBar>(form);
    bar->SetParent(form);
    bar->SetBounds(0, 420, 500, 16);
    grid->HorzScrollBar()->SetExtScrollBar(bar);
    grid->ApplyLayoutChange();
    // Every column shows: nothing to scroll, and the position is 0, not -1.
    EXPECT_EQ(bar->Max(), 0);
    EXPECT_EQ(bar->Position(), 0);

    for (int i = 0; i < 12; ++i) {
        TColumnEh* column = grid->GridColumns().Add();
        column->SetFieldName("ID");
        column->SetWidth(90);
    }
    ui.ProcessMessages();
    ASSERT_LT(grid->VisibleColCount(), 12);
    EXPECT_EQ(bar->Max(), 127);
    EXPECT_EQ(bar->PageSize(), grid->VisibleColCount());
    // As far right as the last column shown whole.
    for (int left = grid->FixedCols(); left + grid->VisibleColCount() < grid->ColCount();)
        grid->SetLeftCol(++left);
    // 127, kept by the bar within its last full page.
    EXPECT_EQ(bar->Position(), 127 - bar->PageSize() + 1);
    grid->Perform(WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(bar->Position(), 0);
}

}  // namespace
