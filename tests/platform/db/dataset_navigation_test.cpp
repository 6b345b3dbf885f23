// Moving through a dataset: BOF/EOF after every move, the buffer window, bookmarks, inserts and
// deletes in the middle.
#include <gtest/gtest.h>
#include <functional>

#include "tests/platform/db/recording_dataset.h"

namespace {

struct Step {
    const char* name;
    std::function<int(TDataSet&)> move;  // returns the distance moved where the move tells it
    int moved;
    int n;  // the row number of the active record
    bool bof;
    bool eof;
};

int Open(TDataSet& ds) {
    ds.Open();
    return 0;
}
int Next(TDataSet& ds) {
    return ds.MoveBy(1);
}
int Prior(TDataSet& ds) {
    return ds.MoveBy(-1);
}
int First(TDataSet& ds) {
    ds.First();
    return 0;
}
int Last(TDataSet& ds) {
    ds.Last();
    return 0;
}

class DataSetMoves : public ::testing::TestWithParam<int> {};

TEST_P(DataSetMoves, BofAndEofAreExactAfterEveryMove) {
    const Step steps[] = {
        {"open", Open, 0, 1, true, false},
        {"next", Next, 1, 2, false, false},
        {"prior to the first", Prior, -1, 1, false, false},
        {"prior past the first", Prior, 0, 1, true, false},
        {"prior again at BOF", Prior, 0, 1, true, false},
        {"by 3 to the last", [](TDataSet& ds) { return ds.MoveBy(3); }, 3, 4, false, false},
        {"by 5 past the last", [](TDataSet& ds) { return ds.MoveBy(5); }, 0, 4, false, true},
        {"next at EOF", Next, 0, 4, false, true},
        {"back by 2", [](TDataSet& ds) { return ds.MoveBy(-2); }, -2, 2, false, false},
        {"back by 9 stops at the first", [](TDataSet& ds) { return ds.MoveBy(-9); }, -1, 1, true, false},
        {"last", Last, 0, 4, false, true},
        {"first", First, 0, 1, true, false},
        {"by 9 stops at the last", [](TDataSet& ds) { return ds.MoveBy(9); }, 3, 4, false, true},
    };
    TRecordingDataSet ds(4);
    ds.SetBufferCount(GetParam());
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(step.move(ds), step.moved);
        EXPECT_EQ(ds.N(), step.n);
        EXPECT_EQ(ds.Bof(), step.bof);
        EXPECT_EQ(ds.Eof(), step.eof);
        EXPECT_EQ(ds.RecNo(), step.n);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, DataSetMoves, ::testing::Values(1, 2, 3, 10));

TEST(DataSetMoves, AnEmptyDataSetIsAtBothEnds) {
    TRecordingDataSet ds(0);
    ds.Open();
    EXPECT_TRUE(ds.Bof());
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.MoveBy(1), 0);
    ds.Last();
    EXPECT_TRUE(ds.Bof());
    EXPECT_TRUE(ds.Eof());
}

TEST(DataSetWindow, ScrollsOnlyAtItsEdgesAndTellsTheShift) {
    TRecordingDataSet ds(6);
    ds.SetBufferCount(3);
    ds.Open();
    EXPECT_EQ(ds.BufferedRecordCount(), 3);
    struct Case {
        int by;
        int active;
        int n;
        std::intptr_t shift;
    };
    const Case cases[] = {{2, 2, 3, 0},  {1, 2, 4, -1}, {2, 2, 6, -2},
                          {-1, 1, 5, 0}, {-3, 0, 2, 2}, {-1, 0, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.by);
        ds.ClearLog();
        ds.MoveBy(c.by);
        EXPECT_EQ(ds.ActiveRecord(), c.active);
        EXPECT_EQ(ds.N(), c.n);
        // Every move first asks the controls to write pending edits back.
        ASSERT_EQ(ds.Notices, (std::vector<TDataEvent>{deCheckBrowseMode, deDataSetScroll}));
        EXPECT_EQ(ds.NoticeInfo[1], c.shift);
    }
}

TEST(DataSetWindow, LastFillsTheWindowFromTheEnd) {
    TRecordingDataSet ds(6);
    ds.SetBufferCount(4);
    ds.Open();
    ds.Last();
    EXPECT_EQ(ds.BufferedRecordCount(), 4);
    EXPECT_EQ(ds.ActiveRecord(), 3);
    EXPECT_EQ(ds.N(), 6);
    ds.MoveBy(-3);
    EXPECT_EQ(ds.N(), 3);
    EXPECT_EQ(ds.ActiveRecord(), 0);
}

TEST(DataSetEditing, InsertPostsBeforeTheCurrentRecordAndStaysOnIt) {
    TRecordingDataSet ds(3);
    ds.SetBufferCount(3);
    ds.Open();
    ds.Next();
    ds.Insert();
    EXPECT_EQ(ds.State(), dsInsert);
    EXPECT_TRUE(ds.GetValue(0).IsNull());
    ds.SetValue(0, 10);
    ds.Post();
    std::vector<int> stored;
    for (int i = 0; i < ds.StoredRowCount(); ++i) stored.push_back(ds.StoredRow(i)[0].AsInteger());
    EXPECT_EQ(stored, (std::vector<int>{1, 10, 2, 3}));
    EXPECT_EQ(ds.N(), 10);
    EXPECT_EQ(ds.RecNo(), 2);
    ds.Next();
    EXPECT_EQ(ds.N(), 2);
}

TEST(DataSetEditing, AppendPostsAtTheEnd) {
    TRecordingDataSet ds(3);
    ds.Open();
    ds.Append();
    ds.SetValue(0, 10);
    ds.Post();
    EXPECT_EQ(ds.StoredRow(3)[0].AsInteger(), 10);
    EXPECT_EQ(ds.N(), 10);
    EXPECT_EQ(ds.MoveBy(1), 0);
    EXPECT_TRUE(ds.Eof());
}

TEST(DataSetEditing, CancelledInsertGoesBackToTheRecordItStoodOn) {
    for (int window : {1, 3}) {
        SCOPED_TRACE(window);
        TRecordingDataSet ds(3);
        ds.SetBufferCount(window);
        ds.Open();
        ds.Next();
        ds.Insert();
        ds.Cancel();
        EXPECT_EQ(ds.N(), 2);
        ds.Append();
        ds.Cancel();
        EXPECT_EQ(ds.N(), 3);
        EXPECT_EQ(ds.StoredRowCount(), 3);
    }
}

TEST(DataSetEditing, InsertIntoAnEmptyDataSet) {
    TRecordingDataSet ds(0);
    ds.Open();
    ds.Edit();  // nothing to edit: inserts
    EXPECT_EQ(ds.State(), dsInsert);
    ds.SetValue(0, 7);
    ds.Post();
    EXPECT_EQ(ds.N(), 7);
    EXPECT_FALSE(ds.IsEmpty());
}

TEST(DataSetEditing, DeleteMovesToTheNextRecordOrTheNewLast) {
    TRecordingDataSet ds(3);
    ds.SetBufferCount(2);
    ds.Open();
    ds.Delete();
    EXPECT_EQ(ds.N(), 2);
    ds.Last();
    ds.Delete();
    EXPECT_EQ(ds.N(), 2);
    ds.Delete();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_THROW(ds.Delete(), EDatabaseError);
}

TEST(DataSetBookmarks, FindTheirRecordAcrossInsertsAndDeletes) {
    TRecordingDataSet ds(5);
    ds.SetBufferCount(2);
    ds.Open();
    ds.MoveBy(2);
    TBookmark third = ds.GetBookmark();
    ds.First();
    TBookmark first = ds.GetBookmark();
    ds.Insert();
    ds.SetValue(0, 10);
    ds.Post();
    ds.Last();
    ds.GotoBookmark(third);
    EXPECT_EQ(ds.N(), 3);
    EXPECT_EQ(ds.RecNo(), 4);
    EXPECT_LT(ds.CompareBookmarks(first, third), 0);
    EXPECT_GT(ds.CompareBookmarks(third, first), 0);
    EXPECT_EQ(ds.CompareBookmarks(third, ds.GetBookmark()), 0);
    ds.GotoBookmark(first);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(first));
    EXPECT_THROW(ds.GotoBookmark(first), EDatabaseError);
    ds.GotoBookmark(third);
    EXPECT_EQ(ds.N(), 3);
    EXPECT_TRUE(ds.BookmarkValid(third));
}

TEST(DataSetBookmarks, NoneWhileOnANewRecord) {
    TRecordingDataSet ds(2);
    ds.Open();
    ds.Insert();
    EXPECT_TRUE(ds.GetBookmark().empty());
    EXPECT_EQ(ds.CompareBookmarks({}, {}), 0);
}

TEST(DataSetMoves, RecNoSetterCentresTheWindow) {
    TRecordingDataSet ds(9);
    ds.SetBufferCount(5);
    ds.Open();
    ds.ClearLog();
    ds.SetRecNo(6);
    EXPECT_EQ(ds.N(), 6);
    EXPECT_EQ(ds.ActiveRecord(), 2);
    EXPECT_EQ(ds.Events, (std::vector<std::string>{"BeforeScroll", "AfterScroll"}));
}

}  // namespace
