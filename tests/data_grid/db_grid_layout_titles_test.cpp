// The title row's height: from the title fonts, from a set number of lines, and from the title tree
// of multi-line captions; and what sizing or moving a column does to the columns.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "data_grid/column_title.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/font.h"
#include "tests/data_grid/db_grid_layout_fixture.h"

namespace {

struct GridTitles : GridLayout {
    GridTitles() {
        Open(3);
        for (const char* field : {"ID", "NAME"}) {
            TColumnEh* column = grid->GridColumns().Add();
            column->SetFieldName(field);
            column->SetWidth(80);
        }
    }
    TColumnEh* Column(int Index) { return grid->GridColumns().ColumnAt(Index); }
    int TextHeightIn(const TFont& Font) {
        grid->Canvas()->Font()->Assign(Font);
        return grid->Canvas()->TextHeight("Wg");
    }
};

TEST_F(GridTitles, TheTallestTitleFontSetsTheTitleRow) {
    const int plain = grid->RowHeights(0);
    EXPECT_EQ(plain, TextHeightIn(*grid->TitleFont()) + grid->TitleMargin());
    TFont big;
    big.Assign(*Column(1)->Title()->Font());
    big.SetSize(20);
    Column(1)->Title()->SetFont(big);
    grid->RefreshLayout();
    EXPECT_EQ(grid->RowHeights(0), TextHeightIn(big) + grid->TitleMargin());
    EXPECT_GT(grid->RowHeights(0), plain);
}

TEST_F(GridTitles, ASetNumberOfTitleLines) {
    grid->Canvas()->Font()->Assign(*grid->TitleFont());
    TEXTMETRIC metrics;
    GetTextMetrics(grid->Canvas()->Handle(), &metrics);
    const int rowLine = grid->Options().Contains(gdoRowLinesEh) ? 1 : 0;
    struct Case {
        int Lines;
        int Pixels;
    };
    for (const Case& c : std::vector<Case>{{2, 0}, {3, 5}, {0, 7}}) {
        grid->SetTitleLineCount(c.Lines);
        grid->SetTitlePixelHeight(c.Pixels);
        grid->RefreshLayout();
        EXPECT_EQ(grid->RowHeights(0),
                  c.Lines * metrics.tmHeight + metrics.tmExternalLeading + c.Pixels + 2 + rowLine)
            << c.Lines << " lines, " << c.Pixels << " pixels";
    }
}

TEST_F(GridTitles, MultiTitlesGrowWithCaptionsWrappedInNarrowColumns) {
    Column(0)->Title()->SetCaption("Visit|Number");
    Column(1)->Title()->SetCaption("Visit|Patient name written out in full");
    grid->SetUseMultiTitle(true);
    const int wide = grid->RowHeights(0);
    // Both columns sit under one group: the group's caption row plus their own.
    EXPECT_GE(wide, 2 * TextHeightIn(*grid->TitleFont()));
    Column(1)->SetWidth(40);
    grid->RefreshLayout();
    EXPECT_GT(grid->RowHeights(0), wide) << "the long caption wraps onto more lines";
}

TEST_F(GridTitles, SizingAColumnInTheGridGivesTheColumnItsWidth) {
    grid->SetColWidths(1, 120);
    EXPECT_EQ(Column(0)->Width(), 120);
    std::vector<int> widthChanges;
    grid->OnColumnWidthsChange = [&](TObject*) { widthChanges.push_back(Column(1)->Width()); };
    // A column's limits hold against the grid too.
    Column(1)->SetMaxWidth(100);
    grid->SetColWidths(2, 150);
    EXPECT_EQ(Column(1)->Width(), 100);
    EXPECT_EQ(grid->ColWidths(2), 100);
    EXPECT_FALSE(widthChanges.empty());
}

TEST_F(GridTitles, AutoFitSizingMovesTheRestOfTheWidthToTheColumnsOnTheRight) {
    TColumnEh* third = grid->GridColumns().Add();
    third->SetFieldName("ID");
    third->SetWidth(80);
    grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoResizeWholeRightPartEh});
    grid->SetAutoFitColWidths(true);
    ui.ProcessMessages();
    const int total = Column(0)->Width() + Column(1)->Width() + third->Width();
    // The user widens the first column: the two on its right give up what it took, in proportion.
    grid->SetColWidths(1, Column(0)->Width() + 60);
    ui.ProcessMessages();
    EXPECT_EQ(Column(0)->Width() + Column(1)->Width() + third->Width(), total);
    EXPECT_LE(std::abs(Column(1)->Width() - third->Width()), 1);
    EXPECT_LT(Column(1)->Width(), total / 3);
}

TEST_F(GridTitles, MovingAGridColumnMovesTheColumnAndTellsDataIndexes) {
    std::vector<std::pair<int, int>> moves;
    int filterUpdates = -1;
    grid->OnColumnMove = [&](TObject*, int From, int To) {
        moves.emplace_back(From, To);
        filterUpdates = grid->STFilter()->UpdateCount();
    };
    TColumnEh* id = Column(0);
    grid->ColumnMoved(1, 2);
    EXPECT_EQ(id->Index(), 1);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(filterUpdates, 1) << "the filter row waits while the column moves";
    EXPECT_EQ(grid->STFilter()->UpdateCount(), 0);
}

}  // namespace
