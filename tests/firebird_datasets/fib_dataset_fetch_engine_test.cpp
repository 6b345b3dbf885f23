// Fetching and moving over a thousand rows that span several cache blocks: lazy fetching, moves,
// BOF and EOF, bookmarks, record numbers, UniDirectional, stops asked by AfterFetchRecord and a
// select that fails halfway.
#include <gtest/gtest.h>

#include <string>

#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

class TCacheProbe : public TFIBDataSet {
  public:
    using TFIBCustomDataSet::Cache;
    using TFIBDataSet::TFIBDataSet;
};

class FetchOnEngine : public dstest::DatasetEngine {
  protected:
    TCacheProbe& Numbers(const char* select = "SELECT N, NAME FROM NUMBERS ORDER BY N") {
        auto& ds = DataSet<TCacheProbe>(select);
        ds.Open();
        return ds;
    }
    static int N(TDataSet& ds) { return ds.FieldByName("N")->AsInteger(); }
};

TEST_F(FetchOnEngine, RowsAreFetchedOnlyAsFarAsTheMovesGo) {
    auto& ds = Numbers();
    EXPECT_LT(ds.FetchedCount(), 10);
    EXPECT_EQ(ds.MoveBy(299), 299);
    EXPECT_EQ(N(ds), 300);
    EXPECT_LT(ds.FetchedCount(), 310);
    EXPECT_TRUE(ds.QSelect().Open());
}

TEST_F(FetchOnEngine, WalkingForwardAndBackCrossesTheBlocks) {
    auto& ds = Numbers();
    int expected = 1;
    for (; !ds.Eof(); ds.Next(), ++expected) {
        ASSERT_EQ(N(ds), expected);
        ASSERT_EQ(ds.RecNo(), expected);
        ASSERT_EQ(ds.FieldByName("NAME")->AsString().substr(0, 4), "row ");
    }
    EXPECT_EQ(expected, 1001);
    EXPECT_EQ(ds.FetchedCount(), 1000);
    EXPECT_GT(ds.Cache()->BlockCount(), 3);
    EXPECT_EQ(N(ds), 1000);
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(N(ds), 1000);
    for (expected = 1000; !ds.Bof(); ds.Prior(), --expected) ASSERT_EQ(N(ds), expected);
    EXPECT_EQ(expected, 0);
    EXPECT_EQ(N(ds), 1);
    EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(FetchOnEngine, FirstAndLastSetBofAndEof) {
    auto& ds = Numbers();
    EXPECT_TRUE(ds.Bof());
    ds.Last();
    EXPECT_TRUE(ds.Eof());
    EXPECT_FALSE(ds.Bof());
    EXPECT_EQ(N(ds), 1000);
    EXPECT_EQ(ds.RecordCount(), 1000);
    EXPECT_TRUE(ds.QSelect().Eof());
    EXPECT_TRUE(ds.IsSequenced());
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(N(ds), 1);
}

TEST_F(FetchOnEngine, BookmarksFindTheirRecordsAgain) {
    auto& ds = Numbers();
    ds.MoveBy(299);
    const TBookmark at300 = ds.GetBookmark();
    ds.MoveBy(400);
    const TBookmark at700 = ds.GetBookmark();
    ASSERT_EQ(at700.size(), 8u);
    EXPECT_LT(ds.CompareBookmarks(at300, at700), 0);
    EXPECT_GT(ds.CompareBookmarks(at700, at300), 0);
    // Only the record's number counts, not the window position it was taken at.
    TBookmark moved = at700;
    moved[4] = static_cast<char>(moved[4] + 1);
    EXPECT_EQ(ds.CompareBookmarks(at700, moved), 0);
    ds.First();
    ds.GotoBookmark(at700);
    EXPECT_EQ(N(ds), 700);
    ds.GotoBookmark(at300);
    EXPECT_EQ(N(ds), 300);
    EXPECT_TRUE(ds.BookmarkValid(at700));
    TBookmark beyond = at700;
    beyond[1] = 0x7f;
    EXPECT_FALSE(ds.BookmarkValid(beyond));
    EXPECT_FALSE(ds.BookmarkValid("short"));
}

TEST_F(FetchOnEngine, RecNoMovesFetchingWhatIsMissing) {
    auto& ds = Numbers();
    int scrolls = 0;
    ds.AfterScroll = [&](TDataSet*) { ++scrolls; };
    struct Case {
        int set;
        int expected;
    };
    for (const Case& c :
         {Case{555, 555}, Case{12, 12}, Case{0, 1}, Case{-4, 1}, Case{5000, 1000}, Case{999, 999}}) {
        SCOPED_TRACE(c.set);
        ds.SetRecNo(c.set);
        EXPECT_EQ(N(ds), c.expected);
        EXPECT_EQ(ds.RecNo(), c.expected);
    }
    EXPECT_EQ(scrolls, 5);  // setting 1 while on 1 does not scroll
    EXPECT_EQ(ds.FetchedCount(), 1000);
}

TEST_F(FetchOnEngine, FetchNextAndFetchAllKeepThePosition) {
    auto& ds = Numbers();
    ds.MoveBy(4);
    const int before = ds.FetchedCount();
    EXPECT_EQ(ds.FetchNext(100), 100);
    EXPECT_EQ(ds.FetchedCount(), before + 100);
    ds.FetchAll();
    EXPECT_EQ(ds.FetchedCount(), 1000);
    EXPECT_EQ(N(ds), 5);
    EXPECT_EQ(ds.FetchNext(10), 0);
}

TEST_F(FetchOnEngine, UniDirectionalKeepsOneChunkOfRecords) {
    auto& ds = DataSet<TCacheProbe>("SELECT N FROM NUMBERS ORDER BY N");
    ds.SetUniDirectional(true);
    ds.SetBufferChunks(32);
    ds.Open();
    EXPECT_FALSE(ds.IsSequenced());
    EXPECT_EQ(ds.RecordCount(), ds.FetchedCount());
    ds.FetchNext(100 - ds.FetchedCount());
    EXPECT_EQ(ds.FetchedCount(), 100);
    EXPECT_EQ(ds.RecordCount(), 32);
    EXPECT_EQ(ds.Cache()->HighMark(), 32);

    // Walking forward reads every row, the cache reusing its places.
    ds.Close();
    ds.Open();
    int expected = 1;
    for (; !ds.Eof(); ds.Next(), ++expected) ASSERT_EQ(N(ds), expected);
    EXPECT_EQ(expected, 1001);
    EXPECT_EQ(ds.Cache()->HighMark(), 32);
}

TEST_F(FetchOnEngine, UniDirectionalGoesNoFurtherBackThanItsChunk) {
    auto& ds = DataSet("SELECT N FROM NUMBERS ORDER BY N");
    ds.SetUniDirectional(true);
    ds.SetBufferChunks(32);
    ds.Open();
    ds.MoveBy(99);
    ASSERT_EQ(N(ds), 100);
    EXPECT_EQ(ds.MoveBy(-10), -10);
    EXPECT_EQ(N(ds), 90);
    // Rows before the last 32 fetched are gone: the move stops instead of showing another row.
    EXPECT_EQ(ds.MoveBy(-50), -21);
    EXPECT_EQ(N(ds), 69);
    EXPECT_TRUE(ds.Bof());
    const TBookmark at69 = ds.GetBookmark();
    ds.MoveBy(10);
    ds.GotoBookmark(at69);
    EXPECT_EQ(N(ds), 69);
    ds.FetchAll();
    EXPECT_EQ(N(ds), 1000);
    EXPECT_FALSE(ds.BookmarkValid(at69));
}

TEST_F(FetchOnEngine, BufferChunksOfZeroOrLessMeanThirtyTwo) {
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    for (int value : {0, -5}) {
        ds.SetBufferChunks(value);
        EXPECT_EQ(ds.BufferChunks(), 32);
    }
    ds.SetBufferChunks(7);
    EXPECT_EQ(ds.BufferChunks(), 7);
}

TEST_F(FetchOnEngine, AfterFetchRecordStopsAFetchQuietly) {
    auto& ds = DataSet("SELECT N FROM NUMBERS ORDER BY N");
    ds.AfterFetchRecord = [](TFIBQuery*, int index, bool& stop) { stop = (index + 1) % 50 == 0; };
    ds.Open();
    ds.FetchNext(1000);
    EXPECT_EQ(ds.FetchedCount(), 50);  // the row that asked to stop counts
    EXPECT_EQ(ds.FetchNext(1000), 50);
    EXPECT_EQ(ds.FetchedCount(), 100);
    ds.AfterFetchRecord = nullptr;
    ds.FetchAll();
    EXPECT_EQ(ds.FetchedCount(), 1000);
}

TEST_F(FetchOnEngine, BeforeFetchRecordSeesEachFetch) {
    auto& ds = DataSet("SELECT N FROM NUMBERS ORDER BY N");
    int calls = 0;
    ds.BeforeFetchRecord = [&](TFIBQuery* query, int, bool&) {
        EXPECT_EQ(query, &ds.QSelect());
        ++calls;
    };
    ds.Open();
    ds.FetchNext(10);
    EXPECT_GE(calls, ds.FetchedCount());
}

// 1 / (500 - N) divides by zero on the 500th row.
constexpr const char* kFailsAt500 = "SELECT N, 1 / (500 - N) AS Q FROM NUMBERS";

TEST_F(FetchOnEngine, SelectFailingHalfwayRaisesAndKeepsTheRows) {
    struct Case {
        const char* name;
        void (*fetch)(TFIBDataSet&);
    };
    const Case cases[] = {
        {"FetchNext", [](TFIBDataSet& ds) { ds.FetchNext(1000); }},
        {"FetchAll", [](TFIBDataSet& ds) { ds.FetchAll(); }},
        {"Last", [](TFIBDataSet& ds) { ds.Last(); }},
        {"SetRecNo", [](TFIBDataSet& ds) { ds.SetRecNo(800); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& ds = DataSet(kFailsAt500);
        ds.Open();
        EXPECT_THROW(c.fetch(ds), EFIBError);
        EXPECT_TRUE(ds.Active());
        EXPECT_EQ(ds.FetchedCount(), 499);
        ds.First();
        EXPECT_EQ(N(ds), 1);
        ds.SetRecNo(499);
        EXPECT_EQ(N(ds), 499);
    }
}

TEST_F(FetchOnEngine, GetRecordErrorsGoToTheHandler) {
    struct Case {
        TDataAction action;
        bool raisesServerError;
        bool aborts;
    };
    for (const Case& c :
         {Case{daFail, true, false}, Case{daAbort, false, true}, Case{daRetry, false, false}}) {
        SCOPED_TRACE(static_cast<int>(c.action));
        auto& ds = DataSet(kFailsAt500);
        ds.Open();
        ds.MoveBy(497);
        ASSERT_EQ(N(ds), 498);
        int reported = 0;
        ds.OnGetRecordError = [&](TDataSet* sender, EDatabaseError&, TDataAction& action) {
            EXPECT_EQ(sender, &ds);
            EXPECT_EQ(action, daFail);
            ++reported;
            action = c.action;
        };
        bool serverError = false;
        bool aborted = false;
        try {
            ds.MoveBy(5);
        } catch (const EFIBError&) {
            serverError = true;
        } catch (const EAbort&) {
            aborted = true;
        }
        EXPECT_EQ(reported, 1);
        EXPECT_EQ(serverError, c.raisesServerError);
        EXPECT_EQ(aborted, c.aborts);
        EXPECT_EQ(ds.FetchedCount(), 499);
    }
}

}  // namespace
