// The grid's CSV export of 100,000 records of 6 columns (integer, text, integer, float, date and a
// text that sometimes needs its quotes doubled) into memory, beside Python's csv.writer writing
// the same rows as texts into an io.StringIO in a child process that times its own loop (reported
// as manual time, so the child's start-up and its building of the rows are not counted).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "data_controls/memory_stream_eh.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "platform/db/data_source.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int RecordCount = 100000;
constexpr int Repeats = 5;

// A grid over the records, every column shown.
class ExportedGrid {
  public:
    ExportedGrid() {
        data_.SetColumns({"ID", "NAME", "QTY", "PRICE", "DAY", "NOTE"});
        const TFieldType types[] = {ftInteger, ftString, ftInteger, ftFloat, ftDate, ftString};
        for (int c = 0; c < 6; ++c) data_.SetColumnType(c, types[c], types[c] == ftString ? 40 : 0);
        for (int i = 1; i <= RecordCount; ++i) {
            const std::string note = i % 10 == 0 ? "said \"ok\"; left" : "note " + std::to_string(i);
            data_.AddRow({Variant(i), Variant("Пациент " + std::to_string(i)), Variant(i % 97),
                          Variant(i * 0.25), Variant(EncodeDate(2000 + i % 25, 1 + i % 12, 1 + i % 28)),
                          Variant(note)});
        }
        source_->SetDataSet(&data_);
        data_.Open();
        TDBGridColumnsEh& columns = *grid_->Columns();
        for (const char* name : {"ID", "NAME", "QTY", "PRICE", "DAY", "NOTE"})
            columns.Add()->SetFieldName(name);
        grid_->SetDataSource(source_.get());
    }
    ~ExportedGrid() {
        grid_->SetDataSource(nullptr);
        data_.BeforeDestruction();
    }
    ExportedGrid(const ExportedGrid&) = delete;
    ExportedGrid& operator=(const ExportedGrid&) = delete;

    // Into the memory stream the grid's clipboard copy writes to, which grows in large steps.
    std::int64_t ExportCsv() {
        TMemoryStreamEh stream;
        stream.HalfMemoryDelta = 65536;
        ExportGridToStream(ExportClass<TDBGridEhExportAsCSV>(), grid_.get(), stream, true);
        return stream.Size();
    }

  private:
    platform::ui::HeadlessSession ui_;
    TMemoryDataSet data_;
    TObjectPtr<TDataSource> source_ = MakeComponent<TDataSource>(nullptr);
    TObjectPtr<TCustomDBGridEh> grid_ = MakeComponent<TCustomDBGridEh>(nullptr);
};

void BM_GridCsvExport(benchmark::State& state) {
    ExportedGrid grid;
    std::int64_t bytes = 0;
    for (auto _ : state) bytes += grid.ExportCsv();
    state.SetBytesProcessed(bytes);
    state.counters["rows"] = RecordCount;
}
BENCHMARK(BM_GridCsvExport)->Unit(benchmark::kMillisecond)->Iterations(Repeats);

// The peer prints one timing line per repeat; each becomes one iteration's time.
void BM_PythonCsvWriter(benchmark::State& state) {
    const std::string command = std::string("python3 ") + GRID_EXPORT_BENCH_DIR +
                                "/bench_grid_export_peer.py " + std::to_string(RecordCount) + " " +
                                std::to_string(Repeats);
    std::unique_ptr<FILE, int (*)(FILE*)> peer(popen(command.c_str(), "r"), pclose);
    if (!peer) {
        state.SkipWithError("python3 could not be started");
        return;
    }
    char line[64];
    for (auto _ : state) {
        if (std::fgets(line, sizeof line, peer.get()) == nullptr) {
            state.SkipWithError("the python peer ended early");
            return;
        }
        state.SetIterationTime(std::stod(line));
    }
    state.counters["rows"] = RecordCount;
}
BENCHMARK(BM_PythonCsvWriter)->Unit(benchmark::kMillisecond)->Iterations(Repeats)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
