// The order of a dataset's events for each operation, and the retry of a failed post or delete.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

#include "platform/rtl/exceptions.h"
#include "tests/platform/db/recording_dataset.h"

namespace {

using Events = std::vector<std::string>;

struct EventCase {
    const char* name;
    std::function<void(TRecordingDataSet&)> prepare;
    std::function<void(TRecordingDataSet&)> act;
    Events expected;
};

void Nothing(TRecordingDataSet&) {}
void OpenAtSecond(TRecordingDataSet& ds) {
    ds.Open();
    ds.Next();
}
void EditSecond(TRecordingDataSet& ds) {
    OpenAtSecond(ds);
    ds.Edit();
    ds.SetValue(0, 20);
}

TEST(DataSetEvents, EachOperationFiresItsEventsInOrder) {
    const EventCase cases[] = {
        {"open", Nothing, [](auto& ds) { ds.Open(); }, {"BeforeOpen", "AfterOpen", "AfterScroll"}},
        {"close", OpenAtSecond, [](auto& ds) { ds.Close(); }, {"BeforeClose", "AfterClose"}},
        {"next", OpenAtSecond, [](auto& ds) { ds.Next(); }, {"BeforeScroll", "AfterScroll"}},
        {"first", OpenAtSecond, [](auto& ds) { ds.First(); }, {"BeforeScroll", "AfterScroll"}},
        {"insert",
         OpenAtSecond,
         [](auto& ds) { ds.Insert(); },
         {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
        {"append",
         OpenAtSecond,
         [](auto& ds) { ds.Append(); },
         {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
        {"edit", OpenAtSecond, [](auto& ds) { ds.Edit(); }, {"BeforeEdit", "AfterEdit"}},
        {"post", EditSecond, [](auto& ds) { ds.Post(); }, {"BeforePost", "AfterPost"}},
        {"cancel", EditSecond, [](auto& ds) { ds.Cancel(); }, {"BeforeCancel", "AfterCancel"}},
        {"delete",
         OpenAtSecond,
         [](auto& ds) { ds.Delete(); },
         {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}},
        {"next while editing posts first",
         EditSecond,
         [](auto& ds) { ds.Next(); },
         {"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
        {"refresh", OpenAtSecond, [](auto& ds) { ds.Refresh(); }, {"BeforeRefresh", "AfterRefresh"}},
        {"locate",
         OpenAtSecond,
         [](auto& ds) { ds.Locate("N", Variant(3), {}); },
         {"BeforeScroll", "AfterScroll"}},
        {"locate while editing posts first",
         EditSecond,
         [](auto& ds) { ds.Locate("N", Variant(1), {}); },
         {"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
        {"lookup", OpenAtSecond, [](auto& ds) { ds.Lookup("N", Variant(3), "N"); }, {}},
        {"insert record",
         OpenAtSecond,
         [](auto& ds) { ds.InsertRecord({7}); },
         {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll", "BeforePost",
          "AfterPost"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingDataSet ds(3);
        c.prepare(ds);
        ds.ClearLog();
        c.act(ds);
        EXPECT_EQ(ds.Events, c.expected);
    }
}

class TClosingDataSet : public TRecordingDataSet {
  public:
    explicit TClosingDataSet(std::vector<std::string>& log) : TRecordingDataSet(2), log_(log) {}

  protected:
    void InternalClose() override {
        log_.emplace_back("InternalClose");
        TRecordingDataSet::InternalClose();
    }

  private:
    std::vector<std::string>& log_;
};

TEST(DataSetEvents, FreeingAnOpenDataSetClosesItThroughItsOverrides) {
    Events log;
    auto* ds = new TClosingDataSet(log);
    ds->Open();
    ds->BeforeClose = [&](TDataSet*) { log.emplace_back("BeforeClose"); };
    ds->AfterClose = [&](TDataSet*) { log.emplace_back("AfterClose"); };
    Free(ds);
    EXPECT_EQ(log, (Events{"BeforeClose", "InternalClose", "AfterClose"}));
}

// Posts an edit and says its window is already right, once.
class TSelfPositioningDataSet : public TRecordingDataSet {
  public:
    TSelfPositioningDataSet() : TRecordingDataSet(3) {}
    bool SkipNext = true;

  protected:
    void InternalPost() override {
        TRecordingDataSet::InternalPost();
        if (SkipNext)
            SkipResyncAfterPost();
        SkipNext = false;
    }
};

TEST(DataSetEvents, ADataSetCanSkipTheResyncAfterOnePost) {
    TSelfPositioningDataSet ds;
    ds.Open();
    for (bool skipped : {true, false}) {
        SCOPED_TRACE(skipped);
        ds.Edit();
        ds.SetValue(0, 9);
        ds.ClearLog();
        ds.Post();
        bool resynced = std::find(ds.Notices.begin(), ds.Notices.end(), deDataSetChange) != ds.Notices.end();
        EXPECT_EQ(resynced, !skipped);
        EXPECT_EQ(ds.N(), 9);
        EXPECT_EQ(ds.State(), dsBrowse);
    }
}

TEST(DataSetEvents, OpeningAnEmptyDataSetFiresNoScroll) {
    TRecordingDataSet ds(0);
    ds.Open();
    EXPECT_EQ(ds.Events, (Events{"BeforeOpen", "AfterOpen"}));
    EXPECT_TRUE(ds.IsEmpty());
}

TEST(DataSetEvents, AnEventThatAbortsStopsTheOperation) {
    TRecordingDataSet ds(3);
    ds.Open();
    ds.BeforeDelete = [](TDataSet*) { Abort(); };
    EXPECT_THROW(ds.Delete(), EAbort);
    EXPECT_EQ(ds.StoredRowCount(), 3);
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST(DataSetEvents, PostErrorActionRetriesFailsOrAborts) {
    struct Case {
        const char* name;
        TDataAction action;
        int failures;
        bool posted;
    };
    const Case cases[] = {
        {"retry until it goes through", daRetry, 2, true},
        {"fail raises the error", daFail, 1, false},
        {"abort ends quietly", daAbort, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecordingDataSet ds(3);
        ds.Open();
        int calls = 0;
        ds.OnPostError = [&](TDataSet*, EDatabaseError&, TDataAction& action) {
            ++calls;
            action = c.action;
        };
        ds.Edit();
        ds.SetValue(0, 10);
        ds.FailNextPosts(c.failures);
        if (c.action == daFail) {
            EXPECT_THROW(ds.Post(), EDatabaseError);
        } else if (c.action == daAbort) {
            EXPECT_THROW(ds.Post(), EAbort);
        } else {
            ds.Post();
        }
        EXPECT_EQ(calls, c.failures);
        EXPECT_EQ(ds.State(), c.posted ? dsBrowse : dsEdit);
        EXPECT_EQ(ds.StoredRow(0)[0].AsInteger(), c.posted ? 10 : 1);
    }
}

TEST(DataSetEvents, DeleteErrorRetryDeletesOnce) {
    TRecordingDataSet ds(3);
    ds.Open();
    ds.OnDeleteError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daRetry; };
    ds.FailNextDeletes(1);
    ds.Delete();
    EXPECT_EQ(ds.StoredRowCount(), 2);
    EXPECT_EQ(ds.N(), 2);
}

TEST(DataSetEvents, ControlsHearOneChangeOnTheLastEnable) {
    TRecordingDataSet ds(5);
    ds.Open();
    ds.ClearLog();
    ds.DisableControls();
    ds.DisableControls();
    ds.Next();
    ds.Edit();
    ds.Cancel();
    ds.Last();
    ds.EnableControls();
    EXPECT_TRUE(ds.ControlsDisabled());
    // Only the first disable tells the controls, so they can let go of fields rebuilt meanwhile.
    EXPECT_EQ(ds.Notices, std::vector<TDataEvent>{deDisabledStateChange});
    ds.EnableControls();
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(ds.Notices,
              (std::vector<TDataEvent>{deDisabledStateChange, deDisabledStateChange, deDataSetChange}));
    EXPECT_EQ(ds.NoticeInfo, (std::vector<std::intptr_t>{0, 1, 0}));
    ds.EnableControls();  // one too many is harmless
    EXPECT_EQ(ds.Notices.size(), 3U);
}

TEST(DataSetEvents, EnablingInAnotherStateTellsTheStateFirst) {
    TRecordingDataSet ds(2);
    ds.Open();
    ds.ClearLog();
    ds.DisableControls();
    ds.Edit();
    ds.EnableControls();
    EXPECT_EQ(ds.Notices, (std::vector<TDataEvent>{deDisabledStateChange, deDisabledStateChange,
                                                   deUpdateState, deDataSetChange}));
}

}  // namespace
