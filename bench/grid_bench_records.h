#pragma once
// Records for the grid benchmarks: the in-memory dataset with record-number bookmarks, or the fetch
// benchmarks' rows in a TFIBDataSet, all fetched, and sorted locally when asked; and a multi-select
// grid showing them, focused on a form of the headless host.
#include <cstring>
#include <memory>
#include <string>

#include "bench/fetch_bench_rows.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "tests/data_grid/headless_grid_form.h"
#include "tests/support/memory_dataset.h"

namespace gridbench {

// Compares its bookmarks (row ids, in row order) as datasets with record-number bookmarks do.
class NumberedDataSet : public TMemoryDataSet {
  public:
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const override {
        if (a.size() != sizeof(int) || b.size() != sizeof(int))
            return TMemoryDataSet::CompareBookmarks(a, b);
        int left = 0;
        int right = 0;
        std::memcpy(&left, a.data(), sizeof(int));
        std::memcpy(&right, b.data(), sizeof(int));
        return (left > right) - (left < right);
    }
};

// Where the records come from.
enum RangeSource { InMemory, Firebird, FirebirdSorted };

// The records of one benchmark, I and V: the in-memory dataset, or the fetch benchmarks' rows in a
// TFIBDataSet, all fetched, sorted by the text column V when asked.
class RangeRecords {
  public:
    RangeRecords(int count, RangeSource source) {
        if (source == InMemory) {
            memory_.SetColumns({"I", "V"});
            for (int id = 1; id <= count; ++id)
                memory_.AddRow({Variant(id), Variant("Name " + std::to_string(id))});
            // Without record numbers: the test dataset counts and numbers its records by walking
            // them all, which the grid's scroll bar would ask for on every move.
            memory_.Sequenced = false;
            memory_.Open();
            return;
        }
        connection_ = std::make_unique<fbtest::TConnection>(fetchbench::BenchDatabase());
        connection_->db->SetConnected(true);
        connection_->tr->StartTransaction();
        fib_ = MakeComponent<TFIBDataSet>(nullptr);
        fib_->SetDatabase(connection_->db.get());
        fib_->SetTransaction(connection_->tr.get());
        fib_->SelectSQL().SetText("select first " + std::to_string(count) + " I, V from R order by I");
        fib_->Open();
        fib_->FetchAll();
        if (source == FirebirdSorted)
            fib_->DoSort({"V"}, {true});
    }
    ~RangeRecords() {
        if (fib_ != nullptr)
            fib_->Close();
        memory_.BeforeDestruction();
    }
    RangeRecords(const RangeRecords&) = delete;
    RangeRecords& operator=(const RangeRecords&) = delete;
    TDataSet& DataSet() { return fib_ != nullptr ? static_cast<TDataSet&>(*fib_) : memory_; }

  private:
    NumberedDataSet memory_;
    std::unique_ptr<fbtest::TConnection> connection_;
    TObjectPtr<TFIBDataSet> fib_;
};

class ShownGrid : public HeadlessGridForm {
  public:
    explicit ShownGrid(TDataSet& records) {
        CreateForm(800, 600);
        PlaceGrid({0, 0, 780, 580});
        grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
        source_->SetDataSet(&records);
        ShowGrid(source_.get());
    }
    ~ShownGrid() {
        grid->SetDataSource(nullptr);
        delete form;
    }
    ShownGrid(const ShownGrid&) = delete;
    ShownGrid& operator=(const ShownGrid&) = delete;

  private:
    TObjectPtr<TDataSource> source_ = MakeComponent<TDataSource>(nullptr);
};

}  // namespace gridbench
