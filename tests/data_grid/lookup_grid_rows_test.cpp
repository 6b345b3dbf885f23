#include "platform/ui/messages.h"
#include "platform/ui/scroll_info.h"
#include "tests/data_grid/lookup_grid_fixture.h"

namespace lookup_grid_test {
namespace {

// The height that holds Rows data rows under the grid's titles, border and special row.
int WholeRowsHeight(TDBLookupGridEh& grid, int rows, int specRowHeight) {
    return grid.TitleHeight() + grid.BorderSize() + rows * grid.RowPitch() + specRowHeight +
           grid.GridLineWidthFor(gdoRowLinesEh);
}

TEST(LookupGridRows, RowCountIsHeldWithinOneToAHundredRows) {
    const struct {
        int asked;
        int rows;
    } cases[] = {{0, 1}, {1, 1}, {5, 5}, {250, 100}};
    for (const auto& c : cases) {
        for (bool rowLines : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.asked << " rows, row lines " << rowLines);
            LookupGridFixture f;
            f.grid->SetOptions(rowLines ? TDBLookupGridEhOptions{dlgColLinesEh, dlgRowLinesEh}
                                        : TDBLookupGridEhOptions{dlgColLinesEh});
            f.grid->SetRowCount(c.asked);
            EXPECT_EQ(f.grid->ListRowCount(), c.rows);
            EXPECT_EQ(f.grid->Height(), WholeRowsHeight(*f.grid, c.rows, 0));
        }
    }
}

TEST(LookupGridRows, HeightSnapsDownToWholeRowsWithTheSpecialRow) {
    LookupGridFixture f;
    f.ShowSpecRow();
    const int pitch = f.grid->RowPitch();
    const int spec = f.grid->DataRowHeight();
    f.grid->SetBounds(0, 0, 700, WholeRowsHeight(*f.grid, 3, spec) + pitch - 1);
    EXPECT_EQ(f.grid->ListRowCount(), 3);
    EXPECT_EQ(f.grid->Height(), WholeRowsHeight(*f.grid, 3, spec));
    f.grid->SetBounds(0, 0, 700, 2);
    EXPECT_EQ(f.grid->ListRowCount(), 1) << "never less than one row";
}

// The next layout measures the row height from the font again; the grid keeps its rows whole and
// their count with the height it ends with.
TEST(LookupGridRows, ARowHeightSetBeforeALayoutLeavesWholeRows) {
    for (bool rowLines : {false, true}) {
        SCOPED_TRACE(testing::Message() << "row lines " << rowLines);
        LookupGridFixture f;
        f.grid->SetOptions(rowLines ? TDBLookupGridEhOptions{dlgColLinesEh, dlgRowLinesEh}
                                    : TDBLookupGridEhOptions{dlgColLinesEh});
        f.grid->SetRowCount(4);
        f.grid->SetDefaultRowHeight(f.grid->DefaultRowHeight() + 13);
        f.grid->SetRowCount(4);
        f.ui.ProcessMessages();
        f.grid->RefreshLayout();
        f.ui.ProcessMessages();
        EXPECT_EQ(f.grid->ListRowCount(), 4);
        EXPECT_EQ(f.grid->Height(), WholeRowsHeight(*f.grid, 4, 0));
        EXPECT_EQ(f.grid->DataRowCount(), 4);
    }
}

SCROLLINFO VertBar(TDBLookupGridEh& grid) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(grid.Handle(), SB_VERT, info));
    return info;
}

TEST(LookupGridRows, ScrollBarShowsTheTopRecordOfASequencedList) {
    LookupGridFixture f;
    f.grid->SetRowCount(3);
    f.ui.ProcessMessages();
    f.grid->SetKeyValue(5);
    f.ui.ProcessMessages();
    const SCROLLINFO info = VertBar(*f.grid);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 5);
    EXPECT_EQ(info.nPage, static_cast<UINT>(f.grid->DataRowCount()));
    EXPECT_EQ(info.nPos, f.people.RecNo() - f.grid->ListDataLink()->ActiveRecord() - 1);
    EXPECT_GT(info.nPos, 0);
}

TEST(LookupGridRows, NonSequencedListShowsNoRangeWhenItsRecordsFit) {
    LookupGridFixture f;
    f.people.Sequenced = false;
    f.grid->SetKeyValue(4);
    f.grid->ListRecordPosition();
    EXPECT_EQ(VertBar(*f.grid).nMax, 0);
    const int recNo = f.people.RecNo();
    f.grid->Perform(WM_VSCROLL, SB_THUMBPOSITION | (2 << 16), 0);
    EXPECT_EQ(f.people.RecNo(), recNo) << "position 2 does nothing";
    f.grid->Perform(WM_VSCROLL, SB_THUMBPOSITION | (4 << 16), 0);
    EXPECT_EQ(f.CurrentId(), 6) << "position 4 goes to the last record";
    EXPECT_EQ(f.grid->KeyValue(), Variant(4)) << "scrolling leaves the key";
}

}  // namespace
}  // namespace lookup_grid_test

namespace lookup_grid_test {
namespace {

TEST(LookupGridRows, ColumnsWidthCountsVisibleWidthsAndEveryColumnLine) {
    LookupGridFixture f;
    TDBGridColumnsEh& columns = f.Columns();
    ASSERT_EQ(columns.Count(), 2);
    const int line = f.grid->GridLineWidthFor(gdoColLinesEh);
    ASSERT_GT(line, 0);
    const int name = columns.ColumnAt(0)->Width();
    EXPECT_EQ(f.grid->ColumnsWidth(), name + columns.ColumnAt(1)->Width() + 2 * line);
    columns.ColumnAt(1)->SetVisible(false);
    EXPECT_EQ(f.grid->ColumnsWidth(), name + 2 * line) << "a hidden column keeps only its line";
}

}  // namespace
}  // namespace lookup_grid_test
