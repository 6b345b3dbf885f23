// The grid's selected rows as painting asks them: one screen of cells (40 rows of 12 columns) is
// tested against 100,000 selected records, beside std::set<std::string>::count over the same
// bookmarks in the same run. A second pair asks once per row, so the list's one-entry cache
// never answers and each question is a full binary search.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int RecordCount = 200000;  // every other one selected
constexpr int ScreenRows = 40;
constexpr int ScreenColumns = 12;
constexpr int Screens = 64;

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

void BM_SetScreenOfCells(benchmark::State& state) {
    const std::set<std::string>& expected = Records().Expected();
    PaintScreens(state, ScreenColumns,
                 [&](int, const std::string& bookmark) { return expected.count(bookmark) == 1; });
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

}  // namespace

BENCHMARK_MAIN();
