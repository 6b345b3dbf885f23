// The grid's layout over the in-memory dataset: rows, the filler row above the footers, cell kinds
// with the filter row, auto-fitted widths, row heights fitted to text, frozen columns and scaling.
#include <numeric>
#include <vector>

#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_filter.h"
#include "platform/ui/font.h"
#include "platform/ui/input.h"
#include "tests/data_grid/db_grid_layout_fixture.h"

namespace {

TEST_F(GridLayout, RowsFillerAndFootersFillTheClientHeight) {
    struct Case {
        int Records;
        int Footers;
        int Rows;  // with the title row
    };
    const std::vector<Case> cases = {
        {5, 0, 1 + 5},
        {5, 2, 1 + 5 + 1 + 2},
        {0, 2, 1 + 1 + 1 + 2},  // an empty dataset still shows one empty data row
        {0, 0, 1 + 1},
    };
    Open(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Records) + " records, " + std::to_string(c.Footers) + " footers");
        if (c.Records == 0)
            ds.Close();
        grid->SetFooterRowCount(c.Footers);
        EXPECT_EQ(grid->RowCount(), c.Rows);
        EXPECT_EQ(grid->DataRowCount(), c.Records == 0 ? 1 : c.Records);
        if (c.Footers == 0)
            continue;
        // The filler takes what the rows leave: the footers end at the client area's bottom edge.
        const int filler = grid->RowCount() - c.Footers - 1;
        EXPECT_GT(grid->RowHeights(filler), 0);
        TGridDrawInfoEh info;
        grid->CalcGridDrawInfo(info);
        EXPECT_EQ(info.Vert.GridBoundary, grid->ClientHeight());
        EXPECT_EQ(info.Vert.FooterPixels, c.Footers * RowSpan());
    }
}

TEST_F(GridLayout, TheFillerNeverGoesNegativeWhenRecordsFillTheGrid) {
    Open(200);
    grid->SetFooterRowCount(2);
    const int filler = grid->RowCount() - 3;
    EXPECT_GE(grid->RowHeights(filler), 0);
    EXPECT_LT(grid->RowHeights(filler), RowSpan());
    EXPECT_LT(grid->DataRowCount(), 200);
}

TEST_F(GridLayout, TheFilterRowIsTheSubTitleAreaAboveTheData) {
    Open(3);
    dynamic_cast<TSTDBGridEhFilter&>(*grid->STFilter()).SetVisible(true);
    grid->SetFooterRowCount(1);
    ASSERT_EQ(grid->TopDataOffset(), 2);
    struct Case {
        int Row;
        std::uint16_t Type;
        int AreaRow;
    };
    const int last = grid->RowCount() - 1;
    for (const Case& c : std::vector<Case>{{0, gctTitleRowEh, 0},
                                           {1, gctSubTitleRowEh, 0},
                                           {2, gctDataRowEh, 0},
                                           {4, gctDataRowEh, 2},
                                           {5, gctFillerRowEh, 0},
                                           {last, gctFooterRowEh, 1}}) {
        int areaCol = 0;
        int areaRow = 0;
        EXPECT_EQ(grid->GetCellType(2, c.Row, areaCol, areaRow), c.Type | gctDataColEh) << c.Row;
        EXPECT_EQ(areaCol, 1);
        EXPECT_EQ(areaRow, c.AreaRow) << c.Row;
    }
    EXPECT_EQ(grid->DataCellArea(), (TGridRect{1, 2, 2, 4}));
}

TEST_F(GridLayout, AutoFitSharesTheWidthAndAColumnAtItsLimitLeavesTheShare) {
    Open(3);
    TColumnEh* id = grid->GridColumns().Add();
    id->SetFieldName("ID");
    TColumnEh* name = grid->GridColumns().Add();
    name->SetFieldName("NAME");
    TColumnEh* more = grid->GridColumns().Add();
    more->SetFieldName("ID");
    for (TColumnEh* c : {id, name, more}) c->SetWidth(100);
    name->SetMaxWidth(40);
    grid->SetAutoFitColWidths(true);
    ui.ProcessMessages();

    EXPECT_EQ(name->Width(), 40);
    // The other two share the rest evenly; the last absorbs the rounding.
    const int lines = grid->Options().Contains(gdoColLinesEh) ? 3 + 1 : 0;
    const int available = grid->ClientWidth() - grid->ColWidths(0) - lines;
    EXPECT_EQ(id->Width() + name->Width() + more->Width(), available);
    EXPECT_LE(std::abs(id->Width() - more->Width()), 1);
    EXPECT_EQ(grid->ColWidths(2), 40);
}

TEST_F(GridLayout, RowHeightFittedToWholeLinesOfText) {
    Open(3);
    // A font whose text is 13 pixels high; margin 3 without row lines.
    grid->SetOptions(grid->Options() - TDBGridEhOptions{gdoRowLinesEh});
    grid->Font()->SetSize(8);
    ASSERT_EQ(grid->Canvas()->TextHeight("Wg"), 13);
    struct Case {
        int RowHeight;
        int Fitted;
    };
    for (const Case& c : std::vector<Case>{{20, 16}, {23, 29}}) {
        grid->SetExtOptions(grid->ExtOptions() - TDBGridEhExtOptions{gxoFitRowHeightToTextEh});
        grid->SetRowLines(0);
        grid->SetRowHeight(c.RowHeight);
        ASSERT_EQ(grid->DefaultRowHeight(), c.RowHeight);
        grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoFitRowHeightToTextEh});
        EXPECT_EQ(grid->DefaultRowHeight(), c.Fitted) << c.RowHeight;
        EXPECT_EQ(grid->RowLines(), (c.Fitted - 3) / 13);
    }
}

TEST_F(GridLayout, NegativeRowLinesCountAsNoneAndRowsStayAtLeastAPixelHigh) {
    Open(3);
    grid->SetRowLines(-5);
    grid->SetRowHeight(1);
    EXPECT_GE(grid->DefaultRowHeight(), 1);
    EXPECT_GE(grid->DataRowCount(), 1);
}

TEST_F(GridLayout, MoreFrozenColumnsThanTheDatasetGivesLeaveOneToScroll) {
    Open(3);
    grid->SetFrozenCols(10);
    EXPECT_NO_THROW(grid->RefreshLayout());
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->FixedCols(), grid->ColCount() - 1);
}

TEST_F(GridLayout, ScalingWidthsAsRunningSums) {
    struct Case {
        int M;
        int D;
        int Width;
        std::vector<int> Scaled;
    };
    Open(1);
    for (const Case& c : std::vector<Case>{{2, 1, 33, {66, 66}}, {3, 2, 1, {2, 1}}}) {
        grid->GridColumns().Clear();
        for (int i = 0; i < 2; ++i) {
            TColumnEh* column = grid->GridColumns().Add();
            column->SetFieldName("ID");
            column->SetWidth(c.Width);
        }
        grid->ChangeScale(c.M, c.D);
        EXPECT_EQ(grid->GridColumns().ColumnAt(0)->Width(), c.Scaled[0]) << c.M << "/" << c.D;
        EXPECT_EQ(grid->GridColumns().ColumnAt(1)->Width(), c.Scaled[1]) << c.M << "/" << c.D;
    }
}

}  // namespace

namespace {

TEST_F(GridLayout, ResizingTheWindowChangesHowManyRecordsTheGridShows) {
    Open(40);
    for (int rows : {5, 12, 3}) {
        ShowRows(rows);
        EXPECT_EQ(grid->DataLink()->RecordCount(), rows);
        EXPECT_EQ(grid->DataRowCount(), rows);
    }
}

TEST_F(GridLayout, AutoFitWithoutInitialWidthsKeepsTheColumnsShown) {
    Open(3);
    TColumnEh* id = grid->GridColumns().Add();
    id->SetFieldName("ID");
    TColumnEh* name = grid->GridColumns().Add();
    name->SetFieldName("NAME");
    grid->SetAutoFitColWidths(true);
    // Nothing to share by: the widths stay what they were rather than hiding the columns.
    for (TColumnEh* c : {id, name}) c->SetInitialWidth(0);
    grid->RefreshLayout();
    for (int col : {1, 2}) EXPECT_GE(grid->ColWidths(col), 0) << col;
}

TEST_F(GridLayout, TheSavedDataPositionShowsTheSameRecordsAgain) {
    Open(40);
    ShowRows(10);
    ds.First();
    ds.MoveBy(24);  // records 16 to 25 shown, the last current
    const int firstShown = CurrentId() - grid->DataLink()->ActiveRecord();
    grid->SaveDataPosition();
    ds.First();
    grid->RestoreDataPosition();
    EXPECT_EQ(CurrentId(), 25);
    EXPECT_EQ(CurrentId() - grid->DataLink()->ActiveRecord(), firstShown);
}

TEST_F(GridLayout, ScalingTakesTheTitleFontFromTheGridsFont) {
    Open(1);
    grid->Font()->SetSize(10);
    grid->TitleFont()->SetSize(7);
    grid->FooterFont()->SetSize(8);
    grid->ChangeScale(3, 2);
    EXPECT_EQ(grid->TitleFont()->Size(), 15);
    EXPECT_EQ(grid->FooterFont()->Size(), 12);
}

}  // namespace

namespace {

TEST_F(GridLayout, ARowSizedByTheMouseGivesEveryRowItsHeight) {
    Open(10);
    grid->SetRowSizingAllowed(true);
    // The base grid takes row sizing with the next change of the options.
    grid->SetOptions(grid->Options() - TDBGridEhOptions{gdoTabsEh});
    ASSERT_TRUE(static_cast<TCustomGrid*>(grid)->Options().Contains(goRowSizing));
    grid->SetRowLines(2);
    grid->RefreshLayout();
    const int before = grid->DefaultRowHeight();
    const TRect second = grid->CellRect(0, grid->TopDataOffset() + 1);
    const TPoint origin = grid->FormOrigin();
    auto at = [&](int y) { return TPoint{origin.X + 3, origin.Y + y}; };
    platform::ui::PostMouseDown(*form, mbLeft, {}, at(second.Bottom - 1));
    ui.ProcessMessages();
    platform::ui::PostMouseMove(*form, {ssLeft}, at(second.Bottom + 9));
    ui.ProcessMessages();
    platform::ui::PostMouseUp(*form, mbLeft, {}, at(second.Bottom + 9));
    ui.ProcessMessages();

    EXPECT_EQ(grid->DefaultRowHeight(), before + 10);
    EXPECT_EQ(grid->RowLines(), 0);
    for (int row = grid->TopDataOffset(); row < grid->RowCount(); ++row)
        EXPECT_EQ(grid->RowHeights(row), before + 10) << row;
}

}  // namespace
