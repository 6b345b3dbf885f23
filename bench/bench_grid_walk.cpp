// A program walking 10,000 records of a dataset that a grid shows: without DisableControls every
// move reaches the grid, which marks what changed and paints once when the message loop runs;
// beside it the same walk with the controls disabled, the cheapest a walk can be. Both end with
// the message loop's pass, so both pay for the grid's paint.
#include <benchmark/benchmark.h>

#include <string>

#include "tests/data_grid/headless_grid_form.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int RecordCount = 10000;

// range(0): 1 walks with the controls disabled, 0 with them enabled.
void BM_WalkUnderGrid(benchmark::State& state) {
    const bool disabled = state.range(0) != 0;
    TMemoryDataSet records;
    records.SetColumns({"ID", "NAME", "CITY"});
    for (int id = 1; id <= RecordCount; ++id)
        records.AddRow(
            {Variant(id), Variant("Name " + std::to_string(id)), Variant("City " + std::to_string(id % 50))});
    records.Open();
    HeadlessGridForm shown;
    shown.CreateForm(800, 600);
    shown.PlaceGrid({0, 0, 780, 580});
    TObjectPtr<TDataSource> source = MakeComponent<TDataSource>(nullptr);
    source->SetDataSet(&records);
    shown.ShowGrid(source.get());
    int walked = 0;
    for (auto _ : state) {
        state.PauseTiming();
        records.First();
        shown.ui.ProcessMessages();
        state.ResumeTiming();
        walked = 0;
        if (disabled)
            records.DisableControls();
        for (records.First(); !records.Eof(); records.Next()) ++walked;
        if (disabled)
            records.EnableControls();
        shown.ui.ProcessMessages();
    }
    state.counters["records"] = walked;
    shown.grid->SetDataSource(nullptr);
    delete shown.form;
    records.BeforeDestruction();
}
BENCHMARK(BM_WalkUnderGrid)->ArgName("disabled")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
