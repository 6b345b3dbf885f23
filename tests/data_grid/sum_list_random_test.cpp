// A seeded run of random edits, inserts, posts, cancels and deletes: after every step the sum
// list's totals and virtual record numbers equal those of a fresh scan of the dataset.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "data_grid/sum_list.h"
#include "platform/db/field.h"
#include "platform/rtl/variant.h"
#include "tests/support/memory_dataset.h"

namespace {

struct Scan {
    std::int64_t sum = 0;
    std::int64_t total = 0;
    int notNull = 0;
    int records = 0;
};

// The stored rows as the dataset holds them, counted without the list.
Scan FreshScan(const TMemoryDataSet& ds) {
    Scan scan;
    for (int i = 0; i < ds.StoredRowCount(); ++i) {
        const Variant& amount = ds.StoredRow(i)[1];
        ++scan.records;
        if (amount.IsNull())
            continue;
        scan.sum += amount.AsCurrency();
        ++scan.notNull;
    }
    scan.total = scan.sum;
    return scan;
}

// Halves go to the even neighbour, as the list rounds.
std::int64_t RoundedAverage(std::int64_t total, int count) {
    return count == 0 ? 0 : static_cast<std::int64_t>(std::rint(static_cast<long double>(total) / count));
}

class SumListRandomRun : public ::testing::TestWithParam<bool> {};

TEST_P(SumListRandomRun, EveryStepMatchesAFreshScan) {
    const bool numbered = GetParam();
    TMemoryDataSet ds;
    ds.SetColumns({"ID", "AMOUNT"});
    ds.SetColumnType(0, ftInteger);
    ds.SetColumnType(1, ftCurrency);
    std::mt19937 random(20261211);
    auto amount = [&random]() -> Variant {
        if (random() % 5 == 0)
            return Variant::Null();
        return Variant::FromCurrency(static_cast<std::int64_t>(random() % 2000000) - 500000);
    };
    int nextId = 1;
    for (int i = 0; i < 12; ++i) ds.AddRow({Variant(nextId++), amount()});
    ds.Sequenced = numbered;

    TDBSumListProducer list(nullptr);
    list.SetVirtualRecords(true);
    auto add = [&list](TGroupOperation operation, const char* field) {
        TDBSum* item = list.SumCollection().Add();
        item->SetGroupOperation(operation);
        item->SetFieldName(field);
        return item;
    };
    TDBSum* sum = add(goSum, "AMOUNT");
    TDBSum* avg = add(goAvg, "AMOUNT");
    TDBSum* count = add(goCount, "AMOUNT");
    TDBSum* countAll = add(goCount, "");
    list.SetDataSet(&ds);
    ds.Open();
    TField* amountField = ds.FieldByName("AMOUNT");

    const char* steps[] = {"edit", "insert", "append", "post", "cancel", "delete", "move", "first"};
    for (int step = 0; step < 600; ++step) {
        const std::string what = steps[random() % std::size(steps)];
        SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
        if (what == "edit" && !ds.IsEmpty()) {
            ds.Edit();
            amountField->SetValue(amount());
        } else if (what == "insert" || what == "append") {
            what == "insert" ? ds.Insert() : ds.Append();
            ds.FieldByName("ID")->SetValue(Variant(nextId++));
            amountField->SetValue(amount());
        } else if (what == "post" && ds.State() != dsBrowse) {
            ds.Post();
        } else if (what == "cancel") {
            ds.Cancel();
        } else if (what == "delete" && !ds.IsEmpty()) {
            ds.Delete();
        } else if (what == "move") {
            ds.MoveBy(static_cast<int>(random() % 7) - 3);
        } else if (what == "first") {
            ds.First();
        }
        // Unposted changes count nothing yet.
        if (ds.State() != dsBrowse)
            continue;
        const Scan scan = FreshScan(ds);
        ASSERT_EQ(sum->AggregateValue, scan.sum);
        ASSERT_EQ(avg->NotNullCount, scan.notNull);
        ASSERT_EQ(avg->RunningTotal, scan.total);
        ASSERT_EQ(avg->AggregateValue, RoundedAverage(scan.total, scan.notNull));
        ASSERT_EQ(count->AggregateValue, scan.notNull * 10000LL);
        ASSERT_EQ(countAll->AggregateValue, scan.records * 10000LL);
        ASSERT_EQ(list.VirtualRecordCount(), scan.records);
        if (!ds.IsEmpty()) {
            int position = 0;
            const int id = ds.FieldByName("ID")->AsInteger();
            while (ds.StoredRow(position)[0].AsInteger() != id) ++position;
            ASSERT_EQ(list.VirtualRecNo(), position + 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NumberedAndNot, SumListRandomRun, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Numbered" : "Virtual"; });

}  // namespace
