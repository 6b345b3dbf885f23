// Whole columns selected from their titles: Ctrl toggles, Shift extends a range from the anchor and
// undoes only what the same extension did, an anchor toggled off makes the range a deselection, and
// hidden columns are never taken in.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_grid/columns.h"
#include "data_grid/grid_selection.h"
#include "tests/data_grid/grid_selection_fixture.h"

namespace {

using grid_selection_test::BookmarkOf;
using grid_selection_test::GridOverRows;

struct GridWithColumns : GridOverRows {
    static constexpr int ColumnCount = 6;

    GridWithColumns() {
        auto& columns = dynamic_cast<TDBGridColumnsEh&>(*grid->Columns());
        for (int i = 0; i < ColumnCount; ++i) columns.Add();
        changes = 0;
    }
    TColumnEh* Column(int index) const {
        return dynamic_cast<TDBGridColumnsEh&>(*grid->Columns()).ColumnAt(index);
    }
    TDBGridEhSelectionCols& Cols() const { return Selection().Columns(); }
    std::vector<int> SelectedColumns() const {
        std::vector<int> indexes;
        for (int i = 0; i < Cols().Count(); ++i)
            for (int j = 0; j < grid->Columns()->Count(); ++j)
                if (grid->Columns()->Items(j) == Cols().Items(i))
                    indexes.push_back(j);
        return indexes;
    }
    void Select(int index) { Cols().SelectColumn(Column(index), false); }
    void Toggle(int index) { Cols().ToggleColumn(Column(index)); }
    void Extend(int index) { Cols().ExtendToColumn(Column(index)); }
};

TEST(GridSelectionColumns, ColumnCasesEndWithTheirColumnsAndKind) {
    struct Case {
        const char* what;
        std::function<void(GridWithColumns&)> act;
        std::vector<int> columns;
        TGridSelectionKindEh kind;
    };
    const Case cases[] = {
        {"one column", [](GridWithColumns& g) { g.Select(2); }, {2}, gskColumnsEh},
        {"Ctrl adds and takes away",
         [](GridWithColumns& g) {
             g.Select(1);
             g.Toggle(4);
             g.Toggle(3);
             g.Toggle(4);
         },
         {1, 3},
         gskColumnsEh},
        {"the last column toggled off leaves no selection",
         [](GridWithColumns& g) {
             g.Toggle(2);
             g.Toggle(2);
         },
         {},
         gskNoneEh},
        {"Shift to the right",
         [](GridWithColumns& g) {
             g.Select(1);
             g.Extend(3);
         },
         {1, 2, 3},
         gskColumnsEh},
        {"Shift to the left",
         [](GridWithColumns& g) {
             g.Select(4);
             g.Extend(2);
         },
         {2, 3, 4},
         gskColumnsEh},
        {"right, then back left past the anchor",
         [](GridWithColumns& g) {
             g.Select(2);
             g.Extend(4);
             g.Extend(0);
         },
         {0, 1, 2},
         gskColumnsEh},
        {"left, then back right past the anchor",
         [](GridWithColumns& g) {
             g.Select(3);
             g.Extend(1);
             g.Extend(5);
         },
         {3, 4, 5},
         gskColumnsEh},
        {"shrinking keeps what Ctrl selected before",
         [](GridWithColumns& g) {
             g.Toggle(3);
             g.Toggle(1);
             g.Extend(4);
             g.Extend(1);
         },
         {1, 3},
         gskColumnsEh},
        {"crossing the anchor keeps what Ctrl selected before",
         [](GridWithColumns& g) {
             g.Toggle(5);
             g.Toggle(1);
             g.Extend(3);
             g.Extend(0);
         },
         {0, 1, 5},
         gskColumnsEh},
        {"an anchor toggled off deselects the range",
         [](GridWithColumns& g) {
             g.Select(0);
             g.Extend(5);
             g.Toggle(2);
             g.Extend(4);
         },
         {0, 1, 5},
         gskColumnsEh},
        {"hidden columns are never taken in",
         [](GridWithColumns& g) {
             g.Column(3)->SetVisible(false);
             g.Select(1);
             g.Extend(5);
         },
         {1, 2, 4, 5},
         gskColumnsEh},
        {"Shift without an anchor selects the column",
         [](GridWithColumns& g) {
             g.Extend(2);
             g.Extend(4);
         },
         {2, 3, 4},
         gskColumnsEh},
        {"a row clears the columns",
         [](GridWithColumns& g) {
             g.Select(1);
             g.SelectRow(2);
         },
         {},
         gskRowsEh},
        {"columns clear a rectangle",
         [](GridWithColumns& g) {
             g.Selection().Rect().ExtendTo(0, BookmarkOf(1), false);
             g.Selection().Rect().ExtendTo(2, BookmarkOf(3), true);
             g.Select(4);
         },
         {4},
         gskColumnsEh},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridWithColumns g;
        c.act(g);
        EXPECT_EQ(g.SelectedColumns(), c.columns);
        EXPECT_EQ(g.Selection().Kind(), c.kind);
    }
}

TEST(GridSelectionColumns, SelectedColumnsAnswerForEveryRowAndCoverTheirGridColumns) {
    GridWithColumns g;
    g.Select(1);
    g.Toggle(3);
    for (int column : {1, 3}) EXPECT_TRUE(g.Selection().CellIsSelected(column, BookmarkOf(9)));
    for (int column : {-1, 0, 2, 6}) EXPECT_FALSE(g.Selection().CellIsSelected(column, BookmarkOf(9)));
    const int indicator = g.grid->IndicatorOffset();
    EXPECT_EQ(g.Selection().AsGridRect(), (TGridRect{1 + indicator, 0, 3 + indicator, g.grid->RowCount()}));
    EXPECT_GT(g.changes, 0);
}

TEST(GridSelectionColumns, ColumnsTheGridNoLongerHasAreDropped) {
    GridWithColumns g;
    g.Select(4);
    g.Toggle(1);
    g.Toggle(2);
    dynamic_cast<TDBGridColumnsEh&>(*g.grid->Columns()).Delete(2);
    g.Cols().DropStaleColumns();
    EXPECT_EQ(g.SelectedColumns(), (std::vector<int>{1, 3}));  // the old fifth column is now the fourth
}

}  // namespace
