// Filtering through OnFilterRecord: which records show, where the cursor goes, and the filter state.
#include <gtest/gtest.h>
#include <vector>

#include "platform/rtl/runtime.h"
#include "tests/platform/db/recording_dataset.h"

namespace {

std::vector<int> Visible(TRecordingDataSet& ds) {
    std::vector<int> rows;
    for (ds.First(); !ds.Eof(); ds.Next()) rows.push_back(ds.N());
    return rows;
}

void KeepEven(TRecordingDataSet& ds) {
    ds.SetOnFilterRecord([&ds](TDataSet*, bool& accept) { accept = ds.N() % 2 == 0; });
}

TEST(DataSetFilter, ShowsOnlyAcceptedRecordsWhileFiltered) {
    for (int window : {1, 3}) {
        SCOPED_TRACE(window);
        TRecordingDataSet ds(7);
        ds.SetBufferCount(window);
        KeepEven(ds);
        ds.Open();
        EXPECT_EQ(Visible(ds), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
        ds.SetFiltered(true);
        EXPECT_EQ(ds.N(), 2);
        EXPECT_TRUE(ds.Bof());
        EXPECT_EQ(Visible(ds), (std::vector<int>{2, 4, 6}));
        EXPECT_EQ(ds.RecordCount(), 3);
        ds.Last();
        EXPECT_EQ(ds.N(), 6);
        EXPECT_EQ(ds.RecNo(), 3);
        EXPECT_EQ(ds.MoveBy(-5), -2);
        EXPECT_TRUE(ds.Bof());
        ds.SetRecNo(2);
        EXPECT_EQ(ds.N(), 4);
        ds.SetFiltered(false);
        EXPECT_EQ(ds.N(), 1);
        EXPECT_EQ(ds.RecordCount(), 7);
    }
}

TEST(DataSetFilter, HandlerSeesTheCandidateInTheFilterStateAndNoNoticeLeaves) {
    TRecordingDataSet ds(3);
    std::vector<TDataSetState> states;
    ds.SetOnFilterRecord([&](TDataSet* sender, bool& accept) {
        states.push_back(sender->State());
        accept = true;
    });
    ds.SetFiltered(true);
    ds.Open();
    ds.ClearLog();
    ds.Next();
    ASSERT_FALSE(states.empty());
    for (TDataSetState state : states) EXPECT_EQ(state, dsFilter);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(ds.Notices, (std::vector<TDataEvent>{deCheckBrowseMode, deDataSetScroll}));
}

TEST(DataSetFilter, ARecordEditedOutOfTheFilterGivesWayToTheNext) {
    TRecordingDataSet ds(6);
    KeepEven(ds);
    ds.SetFiltered(true);
    ds.Open();
    ds.Next();
    ASSERT_EQ(ds.N(), 4);
    ds.Edit();
    ds.SetValue(0, 5);
    ds.Post();
    EXPECT_EQ(ds.N(), 6);
    EXPECT_EQ(Visible(ds), (std::vector<int>{2, 6}));
}

TEST(DataSetFilter, AnEmptyResultIsAtBothEnds) {
    TRecordingDataSet ds(3);
    ds.SetOnFilterRecord([](TDataSet*, bool& accept) { accept = false; });
    ds.SetFiltered(true);
    ds.Open();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Bof() && ds.Eof());
}

TEST(DataSetFilter, AFailingHandlerIsReportedAndTheRecordShows) {
    int reports = 0;
    auto previous =
        platform::Runtime().Exceptions.SetHandler([&](TObject*, std::exception_ptr) { ++reports; });
    TRecordingDataSet ds(2);
    ds.SetOnFilterRecord([](TDataSet*, bool&) { throw EDatabaseError("bad filter"); });
    ds.SetFiltered(true);
    ds.Open();
    platform::Runtime().Exceptions.SetHandler(previous);
    EXPECT_EQ(ds.N(), 1);
    EXPECT_GT(reports, 0);
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST(DataSetFilter, AnUnsequencedDataSetHasNoRecordNumbers) {
    TRecordingDataSet ds(3);
    ds.Sequenced = false;
    ds.Open();
    ds.Next();
    EXPECT_FALSE(ds.IsSequenced());
    EXPECT_EQ(ds.RecNo(), -1);
    ds.SetRecNo(3);
    EXPECT_EQ(ds.N(), 2);
}

}  // namespace
