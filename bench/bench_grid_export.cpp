// The grid's CSV export of 100,000 records of 6 columns (integer, text, integer, float, date and a
// text that sometimes needs its quotes doubled):
// - into memory, beside Python's csv.writer writing the same rows as texts into an io.StringIO in a
//   child process that times its own loop (reported as manual time, so the child's start-up and its
//   building of the rows are not counted);
// - into a file, beside a plain C++ loop that reads the same fields' display texts, quotes them and
//   writes the same bytes through one buffered FILE (checked byte for byte before timing). The grid
//   writes a file as a new file beside the target, synced and renamed over it, so the loop does the
//   same: its FILE is on a file created exclusively beside the target, flushed, synced with fsync,
//   renamed over the target, and the folder synced;
// - the 100,000 records of a TFIBDataSet all selected, exported as selected, unsorted and after a
//   local sort (which puts the bookmarks out of the order shown).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/grid_bench_records.h"
#include "data_controls/memory_stream_eh.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/temp_dir.h"

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
        stream.SetHalfMemoryDelta(65536);
        ExportGridToStream(ExportClass<TDBGridEhExportAsCSV>(), grid_.get(), stream, true);
        return stream.Size();
    }
    void ExportCsvFile(const std::string& file) {
        TDBGridEhExportAsCSV exporter;
        exporter.SetGrid(grid_.get());
        exporter.ExportFile(file, true);
    }
    // The grid's CSV by hand: titles, then each record's display texts, quoted, ";" between cells
    // and CR LF between lines, through one buffered FILE on a new file beside the target, which is
    // synced and renamed over the target as the grid's export does.
    void PlainCsvFileSyncedRenamed(const std::string& file) {
        const std::string temporary = file + ".plain";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        std::unique_ptr<FILE, int (*)(FILE*)> out(fd < 0 ? nullptr : ::fdopen(fd, "wb"), std::fclose);
        if (!out)
            throw std::runtime_error("cannot create " + temporary);
        WritePlainCsv(out.get());
        if (std::fflush(out.get()) != 0 || ::fsync(::fileno(out.get())) != 0 ||
            std::fclose(out.release()) != 0 || std::rename(temporary.c_str(), file.c_str()) != 0)
            throw std::runtime_error("cannot write " + file);
        SyncFolderOf(file);
    }

  private:
    static void SyncFolderOf(const std::string& file) {
        const int folder = ::open(std::filesystem::path(file).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    void WritePlainCsv(FILE* out) {
        std::string line;
        const auto cell = [&line](const std::string& text) {
            if (!line.empty() && line.back() != '\n')
                line += ';';
            line += '"';
            for (char c : text) {
                line += c;
                if (c == '"')
                    line += '"';
            }
            line += '"';
        };
        for (int i = 0; i < data_.Fields().Count(); ++i) cell(data_.Fields().Fields(i)->FieldName);
        data_.DisableControls();
        for (data_.First(); !data_.Eof(); data_.Next()) {
            std::fwrite(line.data(), 1, line.size(), out);
            line.assign("\r\n");
            for (int i = 0; i < data_.Fields().Count(); ++i) cell(data_.Fields().Fields(i)->DisplayText());
        }
        std::fwrite(line.data(), 1, line.size(), out);
        data_.EnableControls();
    }

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

std::string FileBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Both file benchmarks check once that the loop writes what the grid writes.
bool SameBytesAsTheGrid(ExportedGrid& grid, const testsupport::TempDir& dir) {
    grid.ExportCsvFile((dir / "grid.csv").string());
    grid.PlainCsvFileSyncedRenamed((dir / "plain.csv").string());
    return FileBytes((dir / "grid.csv").string()) == FileBytes((dir / "plain.csv").string());
}

// One of the two writers into a file, timed; both checked first to write the same bytes.
void CsvIntoFile(benchmark::State& state, void (ExportedGrid::*write)(const std::string&)) {
    ExportedGrid grid;
    testsupport::TempDir dir("bench_grid_export");
    if (!SameBytesAsTheGrid(grid, dir)) {
        state.SkipWithError("the plain loop writes other bytes than the grid");
        return;
    }
    const std::string file = (dir / "timed.csv").string();
    for (auto _ : state) (grid.*write)(file);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
    state.counters["rows"] = RecordCount;
}

void BM_GridCsvExportFile(benchmark::State& state) {
    CsvIntoFile(state, &ExportedGrid::ExportCsvFile);
}
BENCHMARK(BM_GridCsvExportFile)->Unit(benchmark::kMillisecond)->Iterations(Repeats);

void BM_PlainCsvLoopFileFsyncRename(benchmark::State& state) {
    CsvIntoFile(state, &ExportedGrid::PlainCsvFileSyncedRenamed);
}
BENCHMARK(BM_PlainCsvLoopFileFsyncRename)->Unit(benchmark::kMillisecond)->Iterations(Repeats);

// Arg: 1 the TFIBDataSet as read, 2 after a local sort by V. Every record selected (by
// Ctrl+Shift+End, not timed), then exported as selected into memory.
void BM_GridCsvExportSelected(benchmark::State& state) {
    using namespace gridbench;
    RangeRecords records(RecordCount, static_cast<RangeSource>(state.range(0)));
    ShownGrid shown(records.DataSet());
    shown.Press(VK_END, {ssCtrl, ssShift});
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TMemoryStreamEh stream;
        stream.SetHalfMemoryDelta(65536);
        ExportGridToStream(ExportClass<TDBGridEhExportAsCSV>(), shown.grid, stream, false);
        bytes += stream.Size();
    }
    state.SetBytesProcessed(bytes);
    state.counters["selected"] = shown.grid->SelectedRows()->Count();
}
BENCHMARK(BM_GridCsvExportSelected)
    ->ArgName("source")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Repeats);

}  // namespace

BENCHMARK_MAIN();
