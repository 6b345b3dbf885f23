// Opening a TFIBDataSet over a million rows and fetching them all into its record cache, beside
// the TFIBQuery and bare isc_dsql_fetch loops over the same rows. The dataset's run reports the heap
// bytes its cache takes per record against the row's raw bytes (4 + 2 + text length + 8 + 8),
// counted by this program's own operator new, and how much of it the record images take (the rest
// is mostly the long texts' store). The dataset's run is repeated with a monitor tool attached that
// wants every trace category and reads every chunk, so each fetched row is also traced.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>

#include "bench/fetch_bench_rows.h"
#include "firebird/sql_monitor_reader.h"
#include "firebird/sql_monitor_sources.h"
#include "firebird_datasets/fib_custom_dataset.h"

namespace {

// Live heap bytes of everything allocated through operator new: usable sizes, so the allocator's
// rounding counts too.
std::atomic<std::int64_t> liveHeapBytes{0};

void* CountedAlloc(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    liveHeapBytes.fetch_add(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    return p;
}

void CountedFree(void* p) noexcept {
    if (p == nullptr)
        return;
    liveHeapBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size) {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    CountedFree(p);
}

namespace {

using namespace fetchbench;

// The rows' raw bytes: every column's value without any framing but the text's length word.
double RawBytesPerRow(fbtest::TConnection& c) {
    TObjectPtr<TFIBQuery> q = MakeComponent<TFIBQuery>(nullptr);
    q->SetDatabase(c.db.get());
    q->SetTransaction(c.tr.get());
    q->SQL().SetText("select sum(char_length(V)), count(*) from R");
    q->ExecQuery();
    const double textBytes = static_cast<double>(q->GetFields()[0].ReadAsInt64());
    const double rows = static_cast<double>(q->GetFields()[1].ReadAsInt64());
    q->Close();
    return 4 + 2 + textBytes / rows + 8 + 8;
}

// Shows its cache, so the record images can be told apart from the long texts kept beside them.
class TCacheProbe : public TFIBDataSet {
  public:
    using TFIBCustomDataSet::Cache;
    using TFIBDataSet::TFIBDataSet;
};

// A monitor tool on the program's own channel that listens to every category and reads every chunk
// as it comes, on a thread of its own.
class TEagerMonitor {
  public:
    TEagerMonitor()
        : reader_("", {mcPrepare, mcExecute, mcFetch, mcConnect, mcTransaction}),
          thread_([this] { Run(); }) {}
    ~TEagerMonitor() {
        stop_ = true;
        thread_.join();
    }
    TEagerMonitor(const TEagerMonitor&) = delete;
    TEagerMonitor& operator=(const TEagerMonitor&) = delete;

  private:
    void Run() {
        while (!stop_) reader_.ReadChunk(std::chrono::milliseconds(50));
    }

    TMonitorReader reader_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void FetchAllIntoDataSet(benchmark::State& state) {
    fbtest::TConnection c(BenchDatabase());
    c.db->SetConnected(true);
    c.tr->StartTransaction();
    const double rawBytes = RawBytesPerRow(c);
    TObjectPtr<TCacheProbe> dataSet = MakeComponent<TCacheProbe>(nullptr);
    dataSet->SetDatabase(c.db.get());
    dataSet->SetTransaction(c.tr.get());
    dataSet->SelectSQL().SetText(kSelect);
    dataSet->SetBufferChunks(static_cast<int>(state.range(0)));
    std::int64_t rows = 0;
    std::int64_t heapBytes = 0;
    std::int64_t imageBytes = 0;
    for (auto _ : state) {
        const std::int64_t before = liveHeapBytes.load();
        dataSet->Open();
        dataSet->FetchAll();
        rows = dataSet->FetchedCount();
        heapBytes = liveHeapBytes.load() - before;
        imageBytes =
            static_cast<std::int64_t>(dataSet->Cache()->BlockCount()) * dataSet->Cache()->BlockSize();
        state.PauseTiming();
        dataSet->Close();
        state.ResumeTiming();
    }
    if (rows != kRows)
        state.SkipWithError("wrong row count");
    state.SetItemsProcessed(state.iterations() * rows);
    const double records = static_cast<double>(rows > 0 ? rows : 1);
    const double perRecord = static_cast<double>(heapBytes) / records;
    state.counters["heap_B_per_record"] = perRecord;
    state.counters["image_B_per_record"] = static_cast<double>(imageBytes) / records;
    state.counters["raw_B_per_row"] = rawBytes;
    state.counters["heap_to_raw"] = perRecord / rawBytes;
}

// Arg: BufferChunks, the records per block of the cache.
void BM_DataSetFetchAll(benchmark::State& state) {
    FetchAllIntoDataSet(state);
}

void BM_DataSetFetchAllMonitored(benchmark::State& state) {
    TEagerMonitor monitor;
    FetchAllIntoDataSet(state);
}

}  // namespace

using fetchbench::BM_BareFetch;
using fetchbench::BM_TFIBQuery;

BENCHMARK(BM_BareFetch)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_TFIBQuery)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_DataSetFetchAll)->Arg(32)->Arg(4096)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_DataSetFetchAllMonitored)->Arg(32)->Arg(4096)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK_MAIN();
