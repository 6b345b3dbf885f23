// Sum lists over the in-memory dataset: running totals through edits, inserts, posts, cancels and
// deletes, virtual record numbers of a dataset that does not number its records, several lists on
// one dataset, and the grid's own list.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "data_grid/sum_list.h"
#include "data_grid/sum_list_grid.h"
#include "data_grid/sum_list_hook_link.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/variant.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

std::int64_t Units(double value) {
    return std::llround(value * 10000);
}

// A dataset of ID and AMOUNT rows with a list keeping the sum, average and count of AMOUNT and a
// count of all records; numbered or not (then with virtual record numbers).
struct SumRig {
    TMemoryDataSet ds;
    TDBSumListProducer list{nullptr};
    TDBSum* sum = nullptr;
    TDBSum* avg = nullptr;
    TDBSum* count = nullptr;
    TDBSum* countAll = nullptr;
    int recalcs = 0;

    SumRig(bool numbered, const std::vector<Variant>& amounts) {
        ds.SetColumns({"ID", "AMOUNT"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftFloat);
        int id = 1;
        for (const Variant& amount : amounts) ds.AddRow({Variant(id++), amount});
        ds.Sequenced = numbered;
        list.SetVirtualRecords(!numbered);
        sum = Add(goSum, "AMOUNT");
        avg = Add(goAvg, "AMOUNT");
        count = Add(goCount, "AMOUNT");
        countAll = Add(goCount, "");
        list.OnRecalcAll = [this](TObject*) { ++recalcs; };
        list.SetDataSet(&ds);
        ds.Open();
    }
    TDBSum* Add(TGroupOperation operation, const std::string& field) {
        TDBSum* item = list.SumCollection().Add();
        item->SetGroupOperation(operation);
        item->SetFieldName(field);
        return item;
    }
    TField& Amount() { return *ds.FieldByName("AMOUNT"); }
    void SetAmount(const Variant& value) { Amount().SetValue(value); }
    void Edit(const Variant& value) {
        ds.Edit();
        SetAmount(value);
        ds.Post();
    }
    int CurrentId() { return ds.FieldByName("ID")->AsInteger(); }
    void GoToId(int id) { ASSERT_TRUE(ds.Locate("ID", Variant(id), {})); }
};

struct Expected {
    double sum;
    double avg;
    int count;
    int countAll;
    int recNo;
};

struct EdgeCase {
    const char* what;
    std::vector<Variant> amounts;
    std::function<void(SumRig&)> act;
    Expected expected;
};

const Variant Null = Variant::Null();

const std::vector<EdgeCase>& EdgeCases() {
    static const std::vector<EdgeCase> cases = {
        {"an edit from 10 to 15 raises the sum by 5",
         {10, 20},
         [](SumRig& r) { r.Edit(15); },
         {35, 17.5, 2, 2, 1}},
        {"posting null instead lowers it by 10",
         {10, 20},
         [](SumRig& r) { r.Edit(Null); },
         {20, 20, 1, 2, 1}},
        {"the average of 2, null and 4 is 3", {2, Null, 4}, [](SumRig&) {}, {6, 3, 2, 3, 1}},
        {"setting the null to 6 makes it 4",
         {2, Null, 4},
         [](SumRig& r) {
             r.ds.Next();
             r.Edit(6);
         },
         {12, 4, 3, 3, 2}},
        {"a count without a field follows inserts and deletes",
         {1, 2, 3},
         [](SumRig& r) {
             r.ds.Last();
             r.ds.Insert();
             r.SetAmount(5);
             r.ds.Post();
             r.ds.First();
             r.ds.Delete();
         },
         {10, 10.0 / 3, 3, 3, 1}},
        {"the third record is number 3, and 2 once the first is deleted",
         {1, 2, 3, 4},
         [](SumRig& r) {
             r.ds.MoveBy(2);
             EXPECT_EQ(r.list.VirtualRecNo(), 3);
             r.ds.First();
             r.ds.Delete();
             r.GoToId(3);
         },
         {9, 3, 3, 3, 2}},
        {"an inserted record counts nothing until its post",
         {1, 2},
         [](SumRig& r) {
             r.ds.OnNewRecord = [](TDataSet* d) { d->FieldByName("AMOUNT")->SetValue(Variant(7)); };
             r.ds.Insert();
             EXPECT_EQ(r.count->AggregateValue, Units(2));
             EXPECT_EQ(r.countAll->AggregateValue, Units(2));
             EXPECT_EQ(r.sum->AggregateValue, Units(3));
             r.ds.Post();
         },
         {10, 10.0 / 3, 3, 3, 1}},
        {"a cancelled insert leaves the totals and the numbers",
         {1, 2, 3},
         [](SumRig& r) {
             r.ds.Last();
             r.ds.Insert();
             r.SetAmount(9);
             r.ds.Cancel();
         },
         {6, 2, 3, 3, 3}},
        {"a full recalculation keeps the record",
         {1, 2, 3},
         [](SumRig& r) {
             r.ds.MoveBy(2);
             const int before = r.recalcs;
             r.sum->SetFieldName("amount");
             EXPECT_EQ(r.recalcs, before + 1);
         },
         {6, 2, 3, 3, 3}},
        {"a record deleted while edited takes back what it held before",
         {10, 20},
         [](SumRig& r) {
             r.ds.Edit();
             r.SetAmount(100);
             r.ds.Delete();
         },
         {20, 20, 1, 1, 1}},
        {"switching the filter on counts only what passes",
         {1, 2, 3},
         [](SumRig& r) {
             r.ds.SetOnFilterRecord(
                 [&r](TDataSet*, bool& accept) { accept = r.ds.FieldByName("AMOUNT")->AsFloat() > 1; });
             r.ds.SetFiltered(true);
         },
         {5, 2.5, 2, 2, 1}},
    };
    return cases;
}

class SumListEdgeCases : public ::testing::TestWithParam<bool> {};

TEST_P(SumListEdgeCases, TotalsAndNumbersFollowTheRecords) {
    const bool numbered = GetParam();
    for (const EdgeCase& c : EdgeCases()) {
        SCOPED_TRACE(c.what);
        SumRig rig(numbered, c.amounts);
        rig.ds.First();
        c.act(rig);
        EXPECT_EQ(rig.sum->AggregateValue, Units(c.expected.sum));
        EXPECT_EQ(rig.avg->AggregateValue, Units(c.expected.avg));
        EXPECT_EQ(rig.count->AggregateValue, Units(c.expected.count));
        EXPECT_EQ(rig.countAll->AggregateValue, Units(c.expected.countAll));
        EXPECT_EQ(rig.list.VirtualRecNo(), c.expected.recNo);
        EXPECT_EQ(rig.list.VirtualRecordCount(), c.expected.countAll);
        EXPECT_TRUE(rig.list.HasSequence());
    }
}

INSTANTIATE_TEST_SUITE_P(NumberedAndNot, SumListEdgeCases, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Numbered" : "Virtual"; });

TEST(SumList, RecountsOnAScrollOnlyAfterTheFilterChanged) {
    SumRig rig(false, {1, 2, 3});
    rig.ds.SetFilterText("AMOUNT > 1");
    rig.ds.SetFiltered(true);
    const int afterFiltering = rig.recalcs;
    EXPECT_GT(afterFiltering, 0);

    rig.ds.Next();
    rig.ds.Last();
    EXPECT_EQ(rig.recalcs, afterFiltering);

    rig.ds.SetFilterText("AMOUNT > 2");
    EXPECT_EQ(rig.recalcs, afterFiltering + 1);
}

TEST(SumList, ValuesAndTotalsOutsideTheFixedPointRangeRaise) {
    struct Case {
        const char* what;
        std::vector<Variant> amounts;
        std::function<void(SumRig&)> act;
    };
    const Case cases[] = {
        {"a value too large for four places", {1.0}, [](SumRig& r) { r.Edit(1e15); }},
        {"a total past the range",
         {9e14},
         [](SumRig& r) {
             r.ds.Append();
             r.SetAmount(9e14);
             r.ds.Post();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SumRig rig(true, c.amounts);
        EXPECT_THROW(c.act(rig), EVariantOverflowError);
    }
}

TEST(SumList, InactiveListLeavesTheHandlersAndClearsTheSums) {
    SumRig rig(true, {1, 2});
    EXPECT_TRUE(rig.list.EventsHooked());
    rig.list.SetActive(false);
    EXPECT_FALSE(rig.list.EventsHooked());
    EXPECT_FALSE(rig.ds.AfterPost);
    EXPECT_EQ(rig.sum->AggregateValue, 0);
    rig.Edit(10);
    EXPECT_EQ(rig.sum->AggregateValue, 0);

    rig.list.SetActive(true);
    EXPECT_EQ(rig.sum->AggregateValue, Units(12));
    rig.ds.Close();
    EXPECT_EQ(rig.sum->AggregateValue, 0);
    rig.ds.Open();
    EXPECT_EQ(rig.sum->AggregateValue, Units(12));
}

// Which list goes first when two lists hook one dataset.
class TwoSumLists : public ::testing::TestWithParam<bool> {};

TEST_P(TwoSumLists, EitherMayGoFirstAndTheUsersHandlerRunsOncePerEvent) {
    TMemoryDataSet ds;
    ds.SetColumns({"AMOUNT"});
    ds.SetColumnType(0, ftInteger);
    for (int v : {1, 2, 3}) ds.AddRow({Variant(v)});
    int userPosts = 0;
    int userEdits = 0;
    ds.AfterPost = [&](TDataSet*) { ++userPosts; };
    ds.AfterEdit = [&](TDataSet*) { ++userEdits; };
    auto makeList = [&ds] {
        auto list = std::make_unique<TDBSumListProducer>(nullptr);
        TDBSum* sum = list->SumCollection().Add();
        sum->SetFieldName("AMOUNT");
        list->SetDataSet(&ds);
        return list;
    };
    auto first = makeList();
    auto second = makeList();
    ds.Open();
    auto edit = [&ds](int value) {
        ds.Edit();
        ds.FieldByName("AMOUNT")->SetValue(Variant(value));
        ds.Post();
    };

    edit(11);
    EXPECT_EQ(userPosts, 1);
    EXPECT_EQ(userEdits, 1);
    EXPECT_EQ(first->SumCollection().Items(0)->AggregateValue, Units(16));
    EXPECT_EQ(second->SumCollection().Items(0)->AggregateValue, Units(16));

    auto& goesFirst = GetParam() ? first : second;
    auto& stays = GetParam() ? second : first;
    goesFirst.reset();
    edit(21);
    EXPECT_EQ(userPosts, 2);
    EXPECT_EQ(userEdits, 2);
    EXPECT_EQ(stays->SumCollection().Items(0)->AggregateValue, Units(26));

    stays.reset();
    edit(31);
    EXPECT_EQ(userPosts, 3);
    EXPECT_EQ(userEdits, 3);
    // Only the user's own handlers are left in the dataset.
    for (const TDataSetNotifyEvent* handler : {&ds.AfterPost, &ds.AfterEdit, &ds.AfterScroll, &ds.AfterOpen})
        EXPECT_EQ(handler->target<TSumListHookCall>(), nullptr);
    EXPECT_FALSE(ds.AfterScroll);
}

INSTANTIATE_TEST_SUITE_P(FreeOrders, TwoSumLists, ::testing::Bool(), [](const auto& info) {
    return info.param ? "FirstHookedGoesFirst" : "LastHookedGoesFirst";
});

TEST(SumList, ADataSetFreedUnderAHookedListIsForgotten) {
    auto ds = std::make_unique<TMemoryDataSet>();
    ds->SetColumns({"AMOUNT"});
    ds->AddRow({Variant(5)});
    TDBSumListProducer list(nullptr);
    list.SumCollection().Add()->SetFieldName("AMOUNT");
    list.SetDataSet(ds.get());
    ds->Open();
    EXPECT_EQ(list.SumCollection().Items(0)->AggregateValue, Units(5));

    Free(ds.release());
    EXPECT_EQ(list.DataSet(), nullptr);
    EXPECT_FALSE(list.EventsHooked());
}

TEST(SumList, AMasterScrollRecountsTheDetail) {
    TMemoryDataSet master;
    master.SetColumns({"ID"});
    for (int id : {1, 2}) master.AddRow({Variant(id)});
    TDataSource masterSource(nullptr);
    masterSource.SetDataSet(&master);
    TMemoryDataSet detail;
    detail.SetColumns({"MASTER", "AMOUNT"});
    for (auto [m, amount] : {std::pair{1, 10}, {1, 20}, {2, 5}}) detail.AddRow({Variant(m), Variant(amount)});
    detail.SetDataSource(&masterSource);
    detail.SetMasterFields("ID");
    detail.DetailFields = "MASTER";
    TDBSumListProducer list(nullptr);
    list.SumCollection().Add()->SetFieldName("AMOUNT");
    list.SetDataSet(&detail);
    master.Open();
    detail.Open();
    EXPECT_EQ(list.MasterDataSet(), &master);
    EXPECT_EQ(list.SumCollection().Items(0)->AggregateValue, Units(30));

    master.Next();
    EXPECT_EQ(list.SumCollection().Items(0)->AggregateValue, Units(5));
}

struct GridSumList : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource source{nullptr};

    GridSumList() {
        Application->CreateForm(&form);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        ds.SetColumns({"AMOUNT"});
        for (int v : {4, 6}) ds.AddRow({Variant(v)});
        source.SetDataSet(&ds);
        ds.Open();
    }
    ~GridSumList() override { Free(form); }
};

TEST_F(GridSumList, StartsInactiveTakesTheSourcesDataSetAndReportsItsRecalculations) {
    TDBGridEhSumList* list = grid->SumList();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->Active());
    EXPECT_TRUE(list->DesignModeSums());
    std::vector<std::string> heard;
    grid->OnSumsRecalc = [&](TObject* sender) { heard.push_back(sender == list ? "recalc" : "?"); };
    grid->OnSumsRecalcDone = [&](TObject* sender) { heard.push_back(sender == list ? "done" : "?"); };
    list->SumCollection().Add()->SetFieldName("AMOUNT");

    grid->SetDataSource(&source);
    EXPECT_EQ(list->DataSet(), &ds);
    EXPECT_FALSE(list->EventsHooked());
    EXPECT_TRUE(heard.empty());

    list->SetActive(true);
    EXPECT_EQ(heard, (std::vector<std::string>{"recalc", "done"}));
    EXPECT_EQ(list->SumCollection().Items(0)->AggregateValue, Units(10));

    grid->SetDataSource(nullptr);
    EXPECT_EQ(list->DataSet(), nullptr);
    EXPECT_FALSE(ds.AfterPost);
}

}  // namespace
