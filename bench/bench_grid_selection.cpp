// The grid's selected rows as painting asks them: one screen of cells (40 rows of 12 columns) is
// tested against 100,000 selected records, beside a std::set<std::string> of the same bookmarks in
// the same run. The list answers the cells of one row from a one-entry cache, so the set's side
// looks each row's bookmark up once too. A second pair asks once per row: every question is then a
// full search.
//
// Then rows selected by keys, 10,000 and 100,000 of them: Ctrl+Shift+End from the first record and
// Ctrl+Shift+Home from the last (bottom-up), over the in-memory dataset, a TFIBDataSet, and the
// TFIBDataSet after a local sort (its bookmarks then out of the order shown). Beside each, the peer
// walks the same records with the controls disabled and puts each bookmark into a std::set ordered
// by the dataset's bookmark comparison: the least any selection by rows must do.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bench/grid_bench_records.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/headless.h"

namespace {

using namespace gridbench;

constexpr int RecordCount = 200000;  // every other one selected
constexpr int ScreenRows = 40;
constexpr int ScreenColumns = 12;
constexpr int Screens = 64;

std::string BookmarkOf(int id) {
    std::string bookmark(sizeof(int), '\0');
    std::memcpy(bookmark.data(), &id, sizeof(int));
    return bookmark;
}

// A grid over the records with every other one selected, and the same bookmarks in a std::set.
class SelectedRecords {
  public:
    SelectedRecords() {
        data_.SetColumns({"ID"});
        for (int id = 1; id <= RecordCount; ++id) data_.AddRow({Variant(id)});
        source_->SetDataSet(&data_);
        data_.Open();
        grid_->SetDataSource(source_.get());
        int position = 0;
        for (data_.First(); !data_.Eof(); data_.Next()) {
            if (position++ % 2 != 0)
                continue;
            grid_->SelectedRows()->SelectCurrentRow(true);
            expected_.insert(data_.GetBookmark());
        }
        std::mt19937 random(42);
        std::uniform_int_distribution<int> top(1, RecordCount - ScreenRows);
        for (int screen = 0; screen < Screens; ++screen) tops_.push_back(top(random));
    }
    ~SelectedRecords() {
        grid_->SetDataSource(nullptr);
        data_.Close();
    }
    IGridSelectionEh& Selection() { return *grid_->Selection(); }
    const std::set<std::string>& Expected() const { return expected_; }
    const std::vector<int>& Tops() const { return tops_; }
    int SelectedCount() const { return grid_->SelectedRows()->Count(); }

  private:
    platform::ui::HeadlessSession ui_;
    NumberedDataSet data_;
    TObjectPtr<TDataSource> source_ = MakeComponent<TDataSource>();
    TObjectPtr<TCustomDBGridEh> grid_ = MakeComponent<TCustomDBGridEh>(nullptr);
    std::set<std::string> expected_;
    std::vector<int> tops_;
};

SelectedRecords& Records() {
    static SelectedRecords records;
    return records;
}

// Painting's order: each row's bookmark, then every column of that row.
template <class IsSelected>
void PaintScreens(benchmark::State& state, int columns, IsSelected isSelected) {
    std::vector<std::vector<std::string>> screens;
    for (int top : Records().Tops()) {
        std::vector<std::string> rows;
        for (int row = 0; row < ScreenRows; ++row) rows.push_back(BookmarkOf(top + row));
        screens.push_back(std::move(rows));
    }
    std::size_t screen = 0;
    for (auto _ : state) {
        int selected = 0;
        for (const std::string& bookmark : screens[screen])
            for (int column = 0; column < columns; ++column) selected += isSelected(column, bookmark) ? 1 : 0;
        benchmark::DoNotOptimize(selected);
        screen = (screen + 1) % screens.size();
    }
    state.SetItemsProcessed(state.iterations() * ScreenRows * columns);
    state.counters["selected"] = Records().SelectedCount();
}

void BM_GridScreenOfCells(benchmark::State& state) {
    IGridSelectionEh& selection = Records().Selection();
    PaintScreens(state, ScreenColumns, [&](int column, const std::string& bookmark) {
        return selection.CellIsSelected(column, bookmark);
    });
}

// One lookup per row, as the grid's cache leaves it: the other columns reuse the row's answer.
void BM_SetScreenOfCells(benchmark::State& state) {
    const std::set<std::string>& expected = Records().Expected();
    const std::string* row = nullptr;
    bool selected = false;
    PaintScreens(state, ScreenColumns, [&](int, const std::string& bookmark) {
        if (row != &bookmark) {
            row = &bookmark;
            selected = expected.count(bookmark) == 1;
        }
        return selected;
    });
}

void BM_GridOneCellPerRow(benchmark::State& state) {
    IGridSelectionEh& selection = Records().Selection();
    PaintScreens(state, 1, [&](int column, const std::string& bookmark) {
        return selection.CellIsSelected(column, bookmark);
    });
}

void BM_SetOneCellPerRow(benchmark::State& state) {
    const std::set<std::string>& expected = Records().Expected();
    PaintScreens(state, 1, [&](int, const std::string& bookmark) { return expected.count(bookmark) == 1; });
}

BENCHMARK(BM_GridScreenOfCells);
BENCHMARK(BM_SetScreenOfCells);
BENCHMARK(BM_GridOneCellPerRow);
BENCHMARK(BM_SetOneCellPerRow);

// Arguments: record count, source, 1 for Ctrl+Shift+End from the first record, 0 for
// Ctrl+Shift+Home from the last.
void RangeArguments(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"rows", "source", "down"});
    for (int source : {InMemory, Firebird, FirebirdSorted})
        for (int down : {1, 0})
            for (int rows : {10000, 100000}) bench->Args({rows, source, down});
    bench->Unit(benchmark::kMillisecond)->Iterations(2);
}

void BM_GridSelectRange(benchmark::State& state) {
    RangeRecords records(static_cast<int>(state.range(0)), static_cast<RangeSource>(state.range(1)));
    const bool down = state.range(2) != 0;
    ShownGrid shown(records.DataSet());
    for (auto _ : state) {
        state.PauseTiming();
        shown.grid->SelectedRows()->Clear();
        if (down)
            records.DataSet().First();
        else
            records.DataSet().Last();
        shown.ui.ProcessMessages();
        state.ResumeTiming();
        shown.Press(down ? VK_END : VK_HOME, {ssCtrl, ssShift});
    }
    state.counters["selected"] = shown.grid->SelectedRows()->Count();
}

void BM_SetOfBookmarksWalk(benchmark::State& state) {
    RangeRecords records(static_cast<int>(state.range(0)), static_cast<RangeSource>(state.range(1)));
    const bool down = state.range(2) != 0;
    TDataSet& dataSet = records.DataSet();
    const auto before = [&dataSet](const std::string& a, const std::string& b) {
        return dataSet.CompareBookmarks(a, b) < 0;
    };
    std::size_t selected = 0;
    dataSet.DisableControls();
    for (auto _ : state) {
        std::set<std::string, decltype(before)> bookmarks(before);
        if (down)
            for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) bookmarks.insert(dataSet.GetBookmark());
        else
            for (dataSet.Last(); !dataSet.Bof(); dataSet.Prior()) bookmarks.insert(dataSet.GetBookmark());
        selected = bookmarks.size();
    }
    dataSet.EnableControls();
    state.counters["selected"] = static_cast<double>(selected);
}

BENCHMARK(BM_GridSelectRange)->Apply(RangeArguments);
BENCHMARK(BM_SetOfBookmarksWalk)->Apply(RangeArguments);

}  // namespace

BENCHMARK_MAIN();
