// Sum lists that recount or move while the dataset is in the middle of something: an edit or
// insert still pending, another list's scan running, the user on the last record, a delete the
// server refuses. Each case ends with every total equal to the stored rows' and the user on the
// record the case names.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "data_grid/sum_list.h"
#include "platform/base/exception.h"
#include "platform/db/field.h"
#include "platform/rtl/variant.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr std::int64_t Unit = 10000;

// AMOUNT rows 10, 20, 30 (ID 1..3) with a list keeping their sum and a count of records; a
// second list over the same dataset can be added.
struct PendingRig {
    TMemoryDataSet ds;
    std::vector<std::unique_ptr<TDBSumListProducer>> lists;

    explicit PendingRig(bool numbered) {
        ds.SetColumns({"ID", "AMOUNT"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftCurrency);
        for (int id = 1; id <= 3; ++id) ds.AddRow({Variant(id), Variant::FromCurrency(id * 10 * Unit)});
        ds.Sequenced = numbered;
        AddList();
        ds.Open();
    }
    TDBSumListProducer& AddList() {
        auto list = std::make_unique<TDBSumListProducer>(nullptr);
        list->SetVirtualRecords(true);
        for (const char* field : {"AMOUNT", ""}) {
            TDBSum* item = list->SumCollection().Add();
            item->SetGroupOperation(*field == 0 ? goCount : goSum);
            item->SetFieldName(field);
        }
        list->SetDataSet(&ds);
        lists.push_back(std::move(list));
        return *lists.back();
    }
    void SetAmount(std::int64_t units) { ds.FieldByName("AMOUNT")->SetValue(Variant::FromCurrency(units)); }
    int CurrentId() { return ds.FieldByName("ID")->AsInteger(); }
};

struct PendingCase {
    const char* what;
    std::function<void(PendingRig&)> act;
    std::int64_t sum;
    int records;
    int currentId;
};

const std::vector<PendingCase>& PendingCases() {
    static const std::vector<PendingCase> cases = {
        {"a recount during an edit counts the posted value once",
         [](PendingRig& r) {
             r.ds.Edit();
             r.SetAmount(15 * Unit);
             r.lists[0]->RecalcSums();
         },
         65 * Unit, 3, 1},
        {"a second list added during an insert leaves the first counting the insert once",
         [](PendingRig& r) {
             r.ds.Last();
             r.ds.Append();
             r.ds.FieldByName("ID")->SetValue(Variant(4));
             r.SetAmount(40 * Unit);
             r.AddList();
         },
         100 * Unit, 4, 4},
        {"a recount on the last record keeps the user there, off the end",
         [](PendingRig& r) {
             r.ds.Last();
             r.lists[0]->RecalcSums();
             EXPECT_FALSE(r.ds.Eof());
         },
         60 * Unit, 3, 3},
        {"a filter leaving one record, switched on under two lists, recounts both",
         [](PendingRig& r) {
             r.AddList();
             r.ds.SetOnFilterRecord(
                 [](TDataSet* d, bool& accept) { accept = d->FieldByName("ID")->AsInteger() == 3; });
             r.ds.SetFiltered(true);
         },
         30 * Unit, 1, 3},
        {"a delete the server refuses takes nothing away",
         [](PendingRig& r) {
             r.ds.FailNextDeletes(1);
             EXPECT_THROW(r.ds.Delete(), Exception);
         },
         60 * Unit, 3, 1},
        {"a delete going through after a refused one takes the record away once",
         [](PendingRig& r) {
             r.ds.FailNextDeletes(1);
             EXPECT_THROW(r.ds.Delete(), Exception);
             r.ds.Delete();
         },
         50 * Unit, 2, 2},
        {"a list switched off during an insert and on again numbers each record once",
         [](PendingRig& r) {
             r.ds.Last();
             r.ds.Append();
             r.ds.FieldByName("ID")->SetValue(Variant(4));
             r.SetAmount(40 * Unit);
             r.lists[0]->SetActive(false);
             r.ds.Post();
             r.lists[0]->SetActive(true);
             r.ds.Edit();
             r.SetAmount(50 * Unit);
             r.ds.Post();
         },
         110 * Unit, 4, 4},
        {"moving by record number during an insert posts it and lands on the asked record",
         [](PendingRig& r) {
             r.ds.Last();
             r.ds.Append();
             r.ds.FieldByName("ID")->SetValue(Variant(4));
             r.SetAmount(40 * Unit);
             r.lists[0]->MoveToVirtualRecNo(2);
         },
         100 * Unit, 4, 2},
    };
    return cases;
}

class SumListPendingEdit : public ::testing::TestWithParam<bool> {};

TEST_P(SumListPendingEdit, TotalsMatchTheStoredRows) {
    for (const PendingCase& c : PendingCases()) {
        SCOPED_TRACE(c.what);
        PendingRig rig(GetParam());
        c.act(rig);
        EXPECT_EQ(rig.CurrentId(), c.currentId);
        for (const auto& list : rig.lists) {
            EXPECT_EQ(list->SumCollection().Items(0)->AggregateValue, c.sum);
            EXPECT_EQ(list->SumCollection().Items(1)->AggregateValue, c.records * Unit);
            EXPECT_EQ(list->VirtualRecordCount(), c.records);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NumberedAndNot, SumListPendingEdit, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Numbered" : "Virtual"; });

}  // namespace
