// The grid's selection over the in-memory dataset: selected rows as a sorted bookmark list, the
// rectangle between two cells, the whole grid, and how the kinds replace each other.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "data_grid/bookmark_list.h"
#include "data_grid/grid_selection.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/grid_types.h"
#include "tests/data_grid/grid_selection_fixture.h"

namespace {

using grid_selection_test::BookmarkOf;
using grid_selection_test::GridOverRows;

struct SelectionFixture : ::testing::Test, GridOverRows {};

TEST(GridSelection, SelectionCasesEndInTheirKindRowsAndNotices) {
    struct Case {
        const char* what;
        std::function<void(GridOverRows&)> act;
        TGridSelectionKindEh kind;
        std::vector<int> rows;
        int changes;
    };
    const Case cases[] = {
        {"the same row twice is one entry",
         [](GridOverRows& g) {
             g.SelectRow(3);
             g.SelectRow(3);
         },
         gskRowsEh,
         {3},
         1},
        {"deselecting an unselected row does nothing",
         [](GridOverRows& g) { g.SelectRow(3, false); },
         gskNoneEh,
         {},
         0},
        {"rows keep the dataset's order",
         [](GridOverRows& g) {
             for (int id : {9, 2, 7, 4}) g.SelectRow(id);
         },
         gskRowsEh,
         {2, 4, 7, 9},
         4},
        {"deselecting the last row drops the kind",
         [](GridOverRows& g) {
             g.SelectRow(5);
             g.SelectRow(5, false);
         },
         gskNoneEh,
         {},
         2},
        {"rows replace a rectangle",
         [](GridOverRows& g) {
             g.Selection().Rect().ExtendTo(0, BookmarkOf(1), false);
             g.Selection().Rect().ExtendTo(2, BookmarkOf(3), true);
             g.SelectRow(4);
         },
         gskRowsEh,
         {4},
         4},
        {"rows replace the whole grid",
         [](GridOverRows& g) {
             g.Selection().SelectWholeGrid();
             g.SelectRow(2);
         },
         gskRowsEh,
         {2},
         1},
        {"a rectangle replaces rows",
         [](GridOverRows& g) {
             g.SelectRow(2);
             g.Selection().Rect().ExtendTo(1, BookmarkOf(2), false);
             g.Selection().Rect().ExtendTo(1, BookmarkOf(6), true);
         },
         gskRectangleEh,
         {},
         4},
        {"a rectangle of one cell is no selection",
         [](GridOverRows& g) {
             g.Selection().Rect().ExtendTo(1, BookmarkOf(2), false);
             g.Selection().Rect().ExtendTo(1, BookmarkOf(2), true);
         },
         gskNoneEh,
         {},
         2},
        {"the whole grid twice is once",
         [](GridOverRows& g) {
             g.Selection().SelectWholeGrid();
             g.Selection().SelectWholeGrid();
         },
         gskAllEh,
         {},
         0},
        {"closing the dataset drops rows",
         [](GridOverRows& g) {
             g.SelectRow(2);
             g.ds.Close();
         },
         gskNoneEh,
         {},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridOverRows g;
        c.act(g);
        EXPECT_EQ(g.Selection().Kind(), c.kind);
        EXPECT_EQ(g.SelectedIds(), c.rows);
        EXPECT_EQ(g.changes, c.changes);
    }
}

TEST_F(SelectionFixture, EveryCellOfTheWholeGridIsSelected) {
    Selection().SelectWholeGrid();
    for (int column : {-1, 0, 3}) EXPECT_TRUE(Selection().CellIsSelected(column, BookmarkOf(17)));
    EXPECT_EQ(Selection().AsGridRect(), (TGridRect{0, 0, grid->ColCount(), grid->RowCount()}));
}

TEST_F(SelectionFixture, SearchAnswersTheInsertionPointBetweenEntries) {
    for (int id : {2, 4, 8}) SelectRow(id);
    IGridSelectedRowsEh& rows = *grid->SelectedRows();
    int index = -1;
    EXPECT_FALSE(rows.Search(BookmarkOf(5), index));
    EXPECT_EQ(index, 2);
    // The cached answer is the same, and a change of the list forgets it.
    EXPECT_FALSE(rows.Search(BookmarkOf(5), index));
    EXPECT_EQ(index, 2);
    SelectRow(5);
    EXPECT_TRUE(rows.Search(BookmarkOf(5), index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(rows.Search(BookmarkOf(1), index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(rows.Search(BookmarkOf(30), index));
    EXPECT_EQ(index, 4);
}

TEST_F(SelectionFixture, RandomSelectionsAgreeWithASetOfBookmarks) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> anyRow(1, 30);
    std::bernoulli_distribution select(0.6);
    std::set<int> expected;
    auto& rows = dynamic_cast<TBookmarkListEh&>(*grid->SelectedRows());
    for (int step = 0; step < 400; ++step) {
        const int id = anyRow(random);
        const bool selected = select(random);
        SelectRow(id, selected);
        if (selected)
            expected.insert(id);
        else
            expected.erase(id);
        for (int probe = 1; probe <= 30; ++probe) {
            int index = -1;
            const bool found = rows.Search(BookmarkOf(probe), index);
            ASSERT_EQ(found, expected.count(probe) == 1) << "step " << step << " row " << probe;
            ASSERT_EQ(index, std::distance(expected.begin(), expected.lower_bound(probe)));
        }
        ASSERT_EQ(Selection().Kind(), expected.empty() ? gskNoneEh : gskRowsEh);
    }
}

TEST_F(SelectionFixture, SelectingARowRepaintsTheCurrentRowAndNotifies) {
    GoTo(2);
    grid->SetRow(2);
    grid->calls.clear();
    grid->SelectedRows()->SelectCurrentRow(true);
    EXPECT_EQ(grid->calls, (std::vector<std::string>{"repaint row 2"}));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(grid->SelectedRows()->IsCurrentRowSelected());
}

TEST_F(SelectionFixture, RowOperationsOnAClosedDatasetRaiseAndChangeNothing) {
    SelectRow(2);
    ds.Close();
    changes = 0;
    for (auto operation : std::vector<std::function<void()>>{
             [&] { grid->SelectedRows()->SelectCurrentRow(true); },
             [&] { grid->SelectedRows()->IsCurrentRowSelected(); },
             [&] { dynamic_cast<TBookmarkListEh&>(*grid->SelectedRows()).CurrentBookmark(); }}) {
        try {
            operation();
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGridOperation& e) {
            EXPECT_STREQ(e.what(), "Cannot perform this operation on a closed dataset");
        }
    }
    EXPECT_EQ(grid->SelectedRows()->Count(), 0);
    EXPECT_EQ(changes, 0);
}

TEST(GridSelectionRows, ARecordWithoutABookmarkIsNeverSelected) {
    {
        GridOverRows g;
        g.ds.Append();
        g.grid->SelectedRows()->SelectCurrentRow(true);
        g.ds.Cancel();
        EXPECT_EQ(g.grid->SelectedRows()->Count(), 0);
        EXPECT_EQ(g.changes, 0);
    }
    GridOverRows empty(0);
    empty.grid->SelectedRows()->SelectCurrentRow(true);
    EXPECT_EQ(empty.grid->SelectedRows()->Count(), 0);
    EXPECT_EQ(empty.Selection().Kind(), gskNoneEh);
}

TEST_F(SelectionFixture, RowsGridRectCoversTheShownSelectedRecordsOnly) {
    GoTo(1);  // records 1 to 5 are buffered
    SelectRow(2);
    SelectRow(4);
    SelectRow(12);
    GoTo(1);
    EXPECT_EQ(Selection().AsGridRect(), (TGridRect{0, 2, grid->ColCount() - 1, 4}));
    // The active record is where it was.
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 1);
    GoTo(25);
    grid->SelectedRows()->Clear();
    SelectRow(3);
    GoTo(25);
    EXPECT_EQ(Selection().AsGridRect(), EmptyGridRectEh);
}

TEST_F(SelectionFixture, DeletingSelectedRecordsRemovesThemFromTheDataset) {
    for (int id : {3, 5, 6}) SelectRow(id);
    dynamic_cast<TBookmarkListEh&>(*grid->SelectedRows()).DeleteSelectedRecords();
    EXPECT_EQ(ds.RecordCount(), 27);
    EXPECT_EQ(grid->SelectedRows()->Count(), 0);
    EXPECT_EQ(Selection().Kind(), gskNoneEh);
    EXPECT_FALSE(ds.ControlsDisabled());
    for (int id : {3, 5, 6}) EXPECT_FALSE(ds.Locate("ID", Variant(id), {}));
}

TEST_F(SelectionFixture, AFailingDeleteStopsWithTheDatasetsControlsEnabled) {
    for (int id : {3, 5}) SelectRow(id);
    ds.FailNextDeletes(1);
    EXPECT_THROW(dynamic_cast<TBookmarkListEh&>(*grid->SelectedRows()).DeleteSelectedRecords(), Exception);
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(SelectedIds(), (std::vector<int>{3, 5}));
    EXPECT_EQ(ds.RecordCount(), 30);
}

TEST_F(SelectionFixture, RectangleHoldsTheCellsBetweenItsCorners) {
    TDBGridEhSelectionRect& rect = Selection().Rect();
    rect.ExtendTo(2, BookmarkOf(6), false);
    rect.ExtendTo(0, BookmarkOf(3), true);
    EXPECT_EQ(rect.TopRowBookmark(), BookmarkOf(3));
    EXPECT_EQ(rect.GetBottomRow(), BookmarkOf(6));
    EXPECT_EQ(rect.LeftColIndex(), 0);
    EXPECT_EQ(rect.RightColIndex(), 2);
    struct Cell {
        int column;
        int id;
        bool selected;
    };
    for (const Cell& cell : {Cell{0, 3, true}, Cell{2, 6, true}, Cell{1, 4, true}, Cell{3, 4, false},
                             Cell{1, 2, false}, Cell{1, 7, false}, Cell{-1, 4, false}}) {
        SCOPED_TRACE(std::to_string(cell.column) + ", " + std::to_string(cell.id));
        EXPECT_EQ(Selection().CellIsSelected(cell.column, BookmarkOf(cell.id)), cell.selected);
    }
    // Without keeping the anchor the block starts again.
    rect.ExtendTo(3, BookmarkOf(9), false);
    EXPECT_EQ(rect.AnchorCell().ColumnIndex, 3);
    EXPECT_EQ(Selection().Kind(), gskNoneEh);
}

TEST_F(SelectionFixture, ExtendingARectangleRepaintsOnlyWhatChanged) {
    TDBGridEhSelectionRect& rect = Selection().Rect();
    rect.ExtendTo(1, BookmarkOf(1), false);
    rect.ExtendTo(2, BookmarkOf(2), true);
    const TRect before = rect.CellsBox(1, BookmarkOf(1), BookmarkOf(2), 2);
    const TRect after = rect.CellsBox(1, BookmarkOf(4), BookmarkOf(1), 3);
    ASSERT_FALSE(before.IsEmpty());
    ASSERT_EQ(after.Left, before.Left);
    ASSERT_GT(after.Right, before.Right);
    ASSERT_GT(after.Bottom, before.Bottom);
    const TRect everything{-10000, -10000, 10000, 10000};
    form->ValidateArea(everything);

    rect.ExtendTo(3, BookmarkOf(4), true);

    EXPECT_TRUE(form->NeedsPaint());
    const TPoint origin = grid->FormOrigin();
    for (const TRect& part : DifferenceRects(before, after))
        form->ValidateArea(OffsetRect(part, origin.X, origin.Y));
    // Nothing else waits for painting: the block both shapes share was left alone.
    EXPECT_FALSE(form->NeedsPaint());
}

TEST(GridSelectionDifference, DifferenceRectsCoverTheChangedStrips) {
    struct Case {
        const char* what;
        TRect a, b;
        std::array<TRect, 4> parts;
    };
    const Case cases[] = {
        {"apart",
         {0, 0, 10, 10},
         {20, 0, 30, 10},
         {TRect{0, 0, 10, 10}, TRect{20, 0, 30, 10}, TRect{}, TRect{}}},
        {"grown down",
         {0, 0, 10, 10},
         {0, 0, 10, 20},
         {TRect{0, 0, 0, 10}, TRect{0, 0, 10, 0}, TRect{10, 0, 10, 20}, TRect{0, 10, 10, 20}}},
        {"grown right",
         {0, 0, 10, 10},
         {0, 0, 20, 10},
         {TRect{0, 0, 0, 10}, TRect{0, 0, 20, 0}, TRect{10, 0, 20, 10}, TRect{0, 10, 10, 10}}},
        {"shrunk from the top left",
         {0, 0, 20, 20},
         {10, 10, 20, 20},
         {TRect{0, 0, 10, 20}, TRect{10, 0, 20, 10}, TRect{20, 10, 20, 20}, TRect{0, 20, 20, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DifferenceRects(c.a, c.b), c.parts);
    }
}

TEST_F(SelectionFixture, RectangleGridRectIsTheShownPartOfTheBlock) {
    GoTo(1);  // records 1 to 5 are buffered
    Selection().Rect().ExtendTo(1, BookmarkOf(2), false);
    Selection().Rect().ExtendTo(2, BookmarkOf(9), true);
    GoTo(1);
    EXPECT_EQ(Selection().AsGridRect(), (TGridRect{2, 2, 3, 5}));
}

TEST_F(SelectionFixture, RectangleQuestionsWithoutADatasetRaiseTheirErrors) {
    Selection().Rect().ExtendTo(1, BookmarkOf(2), false);
    Selection().Rect().ExtendTo(2, BookmarkOf(4), true);
    ds.Close();
    const TDBGridEhSelectionRect& rect = Selection().Rect();
    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {[&] { rect.CellSelected(1, BookmarkOf(3)); },
         "Error in function TDBGridEhSelectionRect.CellSelected"},
        {[&] { rect.GetBottomRow(); }, "Error in TDBGridEhSelectionRect.GetBottomRow"},
        {[&] { rect.TopRowBookmark(); }, "Error in TDBGridEhSelectionRect.TopRowBookmark"},
        {[&] { rect.LeftColIndex(); }, "Error in TDBGridEhSelectionRect.LeftColIndex"},
        {[&] { rect.RightColIndex(); }, "Error in TDBGridEhSelectionRect.RightColIndex"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EInvalidGridOperation& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(SelectionFixture, ResetDropsTheKindAndShowsTheEditorAgainWhereTheGridKeepsIt) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
    grid->keepsEditor = true;
    SelectRow(4);
    grid->calls.clear();
    Selection().Reset();
    EXPECT_EQ(Selection().Kind(), gskNoneEh);
    EXPECT_EQ(grid->SelectedRows()->Count(), 0);
    EXPECT_EQ(grid->calls, (std::vector<std::string>{"show editor"}));
}

TEST_F(SelectionFixture, ResetEndsWithNoSelectionEvenWhenClearingFails) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
    grid->keepsEditor = true;
    SelectRow(4);
    grid->calls.clear();
    grid->OnSelectionChange = [](TObject*) { throw Exception("handler failed"); };
    EXPECT_THROW(Selection().Reset(), Exception);
    EXPECT_EQ(Selection().Kind(), gskNoneEh);
    EXPECT_EQ(grid->calls, (std::vector<std::string>{"show editor"}));
}

TEST_F(SelectionFixture, ChangingTheKindRefreshesTheEditorsOnce) {
    Selection().ChangeKind(gskRectangleEh);
    Selection().ChangeKind(gskRectangleEh);
    EXPECT_EQ(grid->calls, (std::vector<std::string>{"refresh editors"}));
}

TEST(GridSelectionLifetime, AGridFreedWithASelectionTellsNobody) {
    GridOverRows g;
    g.SelectRow(3);
    int changes = 0;
    g.grid->OnSelectionChange = [&](TObject*) { ++changes; };
    Free(g.grid);
    g.grid = nullptr;
    EXPECT_EQ(changes, 0);
}

}  // namespace
