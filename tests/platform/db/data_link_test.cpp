// Data sources and data links: the link's window of records, its notices, and the source's state.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "tests/platform/db/recording_dataset.h"

namespace {

class TRecordingLink : public TDataLink {
  public:
    std::vector<std::string> Calls;
    std::vector<int> Scrolls;
    std::vector<int> Shown(TRecordingDataSet& ds) {
        std::vector<int> rows;
        int active = ActiveRecord();
        for (int i = 0; i < RecordCount(); ++i) {
            SetActiveRecord(i);
            rows.push_back(ds.N());
        }
        SetActiveRecord(active);
        return rows;
    }

  protected:
    void ActiveChanged() override { Calls.push_back(Active() ? "active" : "inactive"); }
    void EditingChanged() override { Calls.push_back(Editing() ? "editing" : "browsing"); }
    void DataSetChanged() override { Calls.push_back("dataset changed"); }
    void DataSetScrolled(int distance) override { Scrolls.push_back(distance); }
    void RecordChanged(TField*) override { Calls.push_back("record changed"); }
    void UpdateData() override { Calls.push_back("update data"); }
    void CheckBrowseMode() override {}
};

struct Linked {
    TRecordingDataSet ds{10};
    TDataSource source;
    TRecordingLink link;
    explicit Linked(int bufferCount) {
        source.SetDataSet(&ds);
        link.SetBufferCount(bufferCount);
        link.SetDataSource(&source);
    }
    ~Linked() {
        link.SetDataSource(nullptr);
        source.SetDataSet(nullptr);
        ds.BeforeDestruction();
    }
};

TEST(DataLinkWindow, FollowsScrollsAndMoveBy) {
    Linked t(4);
    t.ds.Open();
    EXPECT_EQ(t.ds.BufferCount(), 4);
    EXPECT_EQ(t.link.Shown(t.ds), (std::vector<int>{1, 2, 3, 4}));
    struct Case {
        int by;
        int active;
        std::vector<int> shown;
        std::vector<int> scrolls;
    };
    const Case cases[] = {
        {3, 3, {1, 2, 3, 4}, {0}},  {1, 3, {2, 3, 4, 5}, {1}},   {4, 3, {6, 7, 8, 9}, {4}},
        {-2, 1, {6, 7, 8, 9}, {0}}, {-3, 0, {4, 5, 6, 7}, {-2}}, {9, 3, {7, 8, 9, 10}, {3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.by);
        t.link.Scrolls.clear();
        t.ds.MoveBy(c.by);
        EXPECT_EQ(t.link.ActiveRecord(), c.active);
        EXPECT_EQ(t.link.Shown(t.ds), c.shown);
        EXPECT_EQ(t.link.Scrolls, c.scrolls);
    }
}

TEST(DataLinkWindow, FirstAndLastRefillIt) {
    Linked t(3);
    t.ds.Open();
    t.ds.Last();
    EXPECT_EQ(t.link.ActiveRecord(), 2);
    EXPECT_EQ(t.link.Shown(t.ds), (std::vector<int>{8, 9, 10}));
    t.ds.First();
    EXPECT_EQ(t.link.ActiveRecord(), 0);
    EXPECT_EQ(t.link.Shown(t.ds), (std::vector<int>{1, 2, 3}));
}

TEST(DataLinkWindow, TwoLinksShareTheLargerWindow) {
    Linked t(2);
    TRecordingLink wide;
    wide.SetBufferCount(5);
    wide.SetDataSource(&t.source);
    t.ds.Open();
    EXPECT_EQ(t.ds.BufferCount(), 5);
    t.ds.MoveBy(4);
    EXPECT_EQ(wide.Shown(t.ds), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t.link.Shown(t.ds), (std::vector<int>{4, 5}));
    EXPECT_EQ(t.link.ActiveRecord(), 1);
    wide.SetDataSource(nullptr);
    EXPECT_EQ(t.ds.BufferCount(), 2);
    EXPECT_EQ(t.ds.N(), 5);
    EXPECT_EQ(t.link.Shown(t.ds), (std::vector<int>{4, 5}));
}

TEST(DataLinkNotices, FollowTheDataSetThroughAnEdit) {
    Linked t(1);
    t.ds.Open();
    t.ds.Edit();
    t.ds.SetValue(0, 5);
    t.ds.Post();
    t.ds.Close();
    EXPECT_EQ(t.link.Calls,
              (std::vector<std::string>{"active", "editing", "record changed", "record changed",
                                        "update data", "browsing", "dataset changed", "inactive"}));
}

TEST(DataSourceState, FollowsTheDataSetAndItsEnabledFlag) {
    TRecordingDataSet ds(2);
    TDataSource source;
    std::vector<TDataSetState> states;
    source.OnStateChange = [&](TObject*) { states.push_back(source.State()); };
    source.SetDataSet(&ds);
    TRecordingLink link;
    link.SetDataSource(&source);
    ds.Open();
    source.SetEnabled(false);
    EXPECT_FALSE(link.Active());
    source.SetEnabled(true);
    EXPECT_TRUE(link.Active());
    source.Edit();
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(states, (std::vector<TDataSetState>{dsBrowse, dsInactive, dsBrowse, dsEdit}));
    link.SetDataSource(nullptr);
    source.SetDataSet(nullptr);
    ds.BeforeDestruction();
}

TEST(DataSourceState, TellsOfDataChangesAndAsksForDataBeforeAPost) {
    Linked t(1);
    std::vector<std::string> heard;
    t.source.OnDataChange = [&](TObject*, TField*) { heard.push_back("data change"); };
    t.source.OnUpdateData = [&](TObject*) { heard.push_back("update data"); };
    t.ds.Open();
    heard.clear();
    t.ds.Next();
    t.ds.Edit();
    t.ds.SetValue(0, 3);
    t.ds.Post();
    EXPECT_EQ(heard, (std::vector<std::string>{"data change", "data change", "data change", "update data",
                                               "data change"}));
    t.source.SetEnabled(false);
    heard.clear();
    t.ds.Next();
    EXPECT_TRUE(heard.empty());
}

TEST(DataSourceState, ReadOnlyLinkNeverEdits) {
    Linked t(1);
    t.link.SetReadOnly(true);
    t.ds.Open();
    EXPECT_FALSE(t.link.Edit());
    EXPECT_EQ(t.ds.State(), dsBrowse);
}

class TDetailDataSet : public TRecordingDataSet {
  public:
    TDetailDataSet() : TRecordingDataSet(0) {}
    TDataSource* Master = nullptr;
    TDataSource* GetDataSource() const override { return Master; }
};

TEST(DataSourceLinks, KnowsItsDetailsAndRefusesACircle) {
    TDetailDataSet a, b;
    TDataSource sourceOfA, sourceOfB;
    sourceOfA.SetDataSet(&a);
    b.Master = &sourceOfA;  // b follows a
    EXPECT_TRUE(sourceOfA.IsLinkedTo(&b));
    EXPECT_FALSE(sourceOfB.IsLinkedTo(&b));
    a.Master = &sourceOfB;  // a follows b's source, which may not then show b
    EXPECT_THROW(sourceOfB.SetDataSet(&b), EDatabaseError);
    EXPECT_EQ(sourceOfB.DataSet(), nullptr);
    sourceOfA.SetDataSet(nullptr);
    a.BeforeDestruction();
    b.BeforeDestruction();
}

TEST(DataSourceLinks, ADeletedDataSetLeavesItsSources) {
    TDataSource source;
    TRecordingLink link;
    link.SetDataSource(&source);
    {
        TRecordingDataSet ds(3);
        source.SetDataSet(&ds);
        ds.Open();
    }
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    link.SetDataSource(nullptr);
}

TEST(DataSourceLinks, AFreedDataSetLeavesItsSources) {
    TDataSource source;
    TRecordingLink link;
    link.SetDataSource(&source);
    auto* ds = new TRecordingDataSet(3);
    source.SetDataSet(ds);
    ds->Open();
    EXPECT_TRUE(link.Active());
    Free(ds);
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    link.SetDataSource(nullptr);
}

}  // namespace
