// A sum list kept current through a run of dataset operations decoded from the input: edits (NULL
// among the values), inserts and appends, posts and deletes, both also refused by the server, cancels,
// moves, a filter switched on, changed and off, the list switched off and on, and a second list
// over the same dataset made and freed in either order. After every step each sum, average and
// count, and the virtual record numbers, must equal a fresh count of the stored rows; a difference
// aborts so the fuzzer reports it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "data_grid/sum_list.h"
#include "platform/base/exception.h"
#include "platform/db/field.h"
#include "platform/rtl/variant.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int MaxSteps = 200;
constexpr int MaxInitialRows = 16;
constexpr int Id = 0;
constexpr int Amount = 1;
constexpr int Rate = 2;

// The filters a step can pick; each keeps rows by their ID alone, so an edit never hides a row.
constexpr int FilterDivisors[] = {2, 3, 5};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Halves go to the even neighbour, as the list rounds.
std::int64_t RoundedAverage(std::int64_t total, int count) {
    return count == 0 ? 0 : static_cast<std::int64_t>(std::rint(static_cast<long double>(total) / count));
}

// What a fresh count of one column gives.
struct ColumnTotals {
    std::int64_t sum = 0;
    int notNull = 0;
};

struct FreshScan {
    ColumnTotals columns[2];
    int records = 0;
    // The ID of each visible row, in stored order.
    std::vector<int> ids;
};

// The sums one list keeps: every operation over both value columns, and a count of records.
struct ListSums {
    explicit ListSums(TMemoryDataSet& ds) : list(nullptr) {
        list.SetVirtualRecords(true);
        for (const char* field : {"AMOUNT", "RATE"})
            for (TGroupOperation operation : {goSum, goAvg, goCount}) Add(operation, field);
        countAll = Add(goCount, "");
        list.SetDataSet(&ds);
    }
    TDBSum* Add(TGroupOperation operation, const char* field) {
        TDBSum* item = list.SumCollection().Add();
        item->SetGroupOperation(operation);
        item->SetFieldName(field);
        return item;
    }
    TDBSum* Item(int column, TGroupOperation operation) {
        return list.SumCollection().Items(column * 3 + operation);
    }

    TDBSumListProducer list;
    TDBSum* countAll = nullptr;
};

class SumListRun {
  public:
    explicit SumListRun(FuzzedDataProvider& in) : in_(in) {
        ds_.SetColumns({"ID", "AMOUNT", "RATE"});
        ds_.SetColumnType(Id, ftInteger);
        ds_.SetColumnType(Amount, ftCurrency);
        ds_.SetColumnType(Rate, ftFloat);
        ds_.Sequenced = in_.ConsumeBool();
        const int rows = in_.ConsumeIntegralInRange(0, MaxInitialRows);
        for (int i = 0; i < rows; ++i) ds_.AddRow({Variant(nextId_++), AmountValue(), RateValue()});
        ds_.SetOnFilterRecord([this](TDataSet* DataSet, bool& Accept) {
            Accept = Passes(static_cast<TMemoryDataSet*>(DataSet)->GetValue(Id).AsInteger());
        });
        main_ = std::make_unique<ListSums>(ds_);
        ds_.Open();
    }

    void Run() {
        for (int step = 0; step < MaxSteps && in_.remaining_bytes() > 0; ++step) {
            try {
                Step(in_.ConsumeIntegralInRange(0, 16));
            } catch (const Exception&) {
                // A refused operation (an edit of an empty dataset, a move while an insert cannot
                // post) leaves the dataset as it was; the totals must still agree.
            }
            Compare();
        }
    }

  private:
    Variant AmountValue() {
        if (in_.ConsumeIntegralInRange(0, 4) == 0)
            return Variant::Null();
        return Variant::FromCurrency(in_.ConsumeIntegralInRange<std::int64_t>(-50'000'000, 50'000'000));
    }
    // Binary fractions finer than the fixed point's unit, so rounding is exercised.
    Variant RateValue() {
        if (in_.ConsumeIntegralInRange(0, 4) == 0)
            return Variant::Null();
        return Variant(in_.ConsumeIntegralInRange(-1'000'000, 1'000'000) / 4096.0);
    }

    bool Passes(int id) const { return !ds_.Filtered() || id % FilterDivisors[filter_] != 0; }

    void SetValues() {
        ds_.FieldByName("AMOUNT")->SetValue(AmountValue());
        ds_.FieldByName("RATE")->SetValue(RateValue());
    }

    void Step(int operation) {
        switch (operation) {
            case 0:
            case 1:
                // An empty dataset's edit is an insert, whose row would have no ID.
                if (ds_.IsEmpty())
                    break;
                ds_.Edit();
                in_.ConsumeBool() ? ds_.FieldByName("AMOUNT")->SetValue(AmountValue())
                                  : ds_.FieldByName("RATE")->SetValue(RateValue());
                break;
            case 2:
            case 3:
                operation == 2 ? ds_.Insert() : ds_.Append();
                // A new row passes the current filter, so it stays in view once posted.
                while (!Passes(nextId_)) ++nextId_;
                ds_.FieldByName("ID")->SetValue(Variant(nextId_++));
                SetValues();
                break;
            case 4:
                ds_.Post();
                break;
            case 5:
                // The server refuses the post: the record stays in its edit. Only a pending post
                // is refused, so no later recount meets a refusal it cannot get past.
                if (ds_.State() == dsBrowse)
                    break;
                ds_.FailNextPosts(1);
                ds_.Post();
                break;
            case 6:
                ds_.Cancel();
                break;
            case 7:
                // Now and then the server refuses the delete: the record stays.
                if (in_.ConsumeIntegralInRange(0, 3) == 0)
                    ds_.FailNextDeletes(1);
                ds_.Delete();
                ds_.FailNextDeletes(0);
                break;
            case 8:
                ds_.MoveBy(in_.ConsumeIntegralInRange(-4, 4));
                break;
            case 9:
                in_.ConsumeBool() ? ds_.First() : ds_.Last();
                break;
            case 10:
                main_->list.MoveToVirtualRecNo(in_.ConsumeIntegralInRange(0, 20));
                break;
            case 11:
                ds_.SetFiltered(!ds_.Filtered());
                break;
            case 12:
                ChangeFilter(in_.ConsumeIntegralInRange(0, static_cast<int>(std::size(FilterDivisors)) - 1));
                break;
            case 13:
                main_->list.SetActive(!main_->list.Active());
                break;
            case 14:
                // A second grid over the same dataset comes or goes.
                if (second_)
                    second_.reset();
                else
                    second_ = std::make_unique<ListSums>(ds_);
                break;
            case 15:
                ds_.Close();
                ds_.Open();
                break;
            default:
                // The lists go in the other order: the first one freed under the second.
                if (second_) {
                    main_ = std::move(second_);
                } else {
                    main_.reset();
                    main_ = std::make_unique<ListSums>(ds_);
                }
                break;
        }
    }

    // The filter reads filter_ while the dataset refilters, so it changes first and comes back
    // when the dataset refuses the change.
    void ChangeFilter(int filter) {
        const int before = filter_;
        filter_ = filter;
        try {
            ds_.SetFilterText("ID mod " + std::to_string(FilterDivisors[filter]));
        } catch (...) {
            filter_ = before;
            throw;
        }
    }

    FreshScan Scan() const {
        FreshScan scan;
        for (int i = 0; i < ds_.StoredRowCount(); ++i) {
            const TMemoryDataSet::Row& row = ds_.StoredRow(i);
            if (!Passes(row[Id].AsInteger()))
                continue;
            ++scan.records;
            scan.ids.push_back(row[Id].AsInteger());
            for (int column = 0; column < 2; ++column) {
                const Variant& value = row[static_cast<std::size_t>(Amount + column)];
                if (value.IsNull())
                    continue;
                scan.columns[column].sum += fixed_point::FromVariant(value);
                ++scan.columns[column].notNull;
            }
        }
        return scan;
    }

    void Compare() {
        const FreshScan scan = Scan();
        Compare(*main_, scan);
        if (second_)
            Compare(*second_, scan);
    }

    void Compare(ListSums& sums, const FreshScan& scan) {
        TDBSumListProducer& list = sums.list;
        if (!list.Active()) {
            for (int i = 0; i < list.SumCollection().Count(); ++i)
                Check(list.SumCollection().Items(i)->AggregateValue == 0);
            return;
        }
        // Unposted changes count nothing yet: the stored rows are what the totals stand for.
        for (int column = 0; column < 2; ++column) {
            const ColumnTotals& totals = scan.columns[column];
            Check(sums.Item(column, goSum)->AggregateValue == totals.sum);
            Check(sums.Item(column, goAvg)->NotNullCount == totals.notNull);
            Check(sums.Item(column, goAvg)->RunningTotal == totals.sum);
            Check(sums.Item(column, goAvg)->AggregateValue == RoundedAverage(totals.sum, totals.notNull));
            Check(sums.Item(column, goCount)->AggregateValue == totals.notNull * fixed_point::Scale);
        }
        Check(sums.countAll->AggregateValue == scan.records * fixed_point::Scale);
        if (ds_.State() != dsBrowse)
            return;
        Check(list.VirtualRecordCount() == scan.records);
        if (ds_.IsEmpty())
            return;
        const int id = ds_.GetValue(Id).AsInteger();
        int position = 0;
        while (position < scan.records && scan.ids[static_cast<std::size_t>(position)] != id) ++position;
        Check(position < scan.records);
        Check(list.VirtualRecNo() == position + 1);
    }

    FuzzedDataProvider& in_;
    TMemoryDataSet ds_;
    int nextId_ = 1;
    int filter_ = 0;
    std::unique_ptr<ListSums> main_;
    std::unique_ptr<ListSums> second_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    SumListRun run(in);
    run.Run();
    return 0;
}
