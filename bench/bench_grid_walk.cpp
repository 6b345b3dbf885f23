// A program walking 10,000 records of a dataset that a grid shows: without DisableControls every
// move reaches the grid, which marks what changed and paints once when the message loop runs;
// beside it the same walk with the controls disabled, the cheapest a walk can be. Both end with
// the message loop's pass, so both pay for the grid's paint. The records are a TFIBDataSet's, all
// fetched, and the in-memory dataset's.
#include <benchmark/benchmark.h>

#include "bench/grid_bench_records.h"

namespace {

using namespace gridbench;

constexpr int RecordCount = 10000;

// range(0): the source (InMemory or Firebird); range(1): 1 walks with the controls disabled.
void BM_WalkUnderGrid(benchmark::State& state) {
    RangeRecords records(RecordCount, static_cast<RangeSource>(state.range(0)));
    const bool disabled = state.range(1) != 0;
    TDataSet& dataSet = records.DataSet();
    ShownGrid shown(dataSet);
    int walked = 0;
    for (auto _ : state) {
        state.PauseTiming();
        dataSet.First();
        shown.ui.ProcessMessages();
        state.ResumeTiming();
        walked = 0;
        if (disabled)
            dataSet.DisableControls();
        for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) ++walked;
        if (disabled)
            dataSet.EnableControls();
        shown.ui.ProcessMessages();
    }
    state.counters["records"] = walked;
}
BENCHMARK(BM_WalkUnderGrid)
    ->ArgNames({"source", "disabled"})
    ->Args({InMemory, 1})
    ->Args({InMemory, 0})
    ->Args({Firebird, 1})
    ->Args({Firebird, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
