// A local sort of 100,000 cached records (DoSort: each record's value read once into sort keys, the
// quicksort over those, the order laid into the record map), beside std::stable_sort of the same
// keys held in a vector: the text column V and the NUMERIC column N of the fetch benchmarks' rows.
// The peer builds its text keys once per sort as DoSort does (upper-cased for the case-blind pass,
// the original deciding a tie as AnsiCompareStr does), timed with the sort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/fetch_bench_rows.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/strings.h"

namespace {

using namespace fetchbench;

// A text as the sort compares it: the upper-cased text first, byte by byte (UTF-8 orders as code
// points do), then the original as AnsiCompareStr when they tie.
struct TTextKey {
    std::string Folded;
    const std::string* Original;
};

void SortTexts(const std::vector<std::string>& texts) {
    std::vector<TTextKey> keys;
    keys.reserve(texts.size());
    for (const std::string& text : texts) keys.push_back({AnsiUpperCase(text), &text});
    std::stable_sort(keys.begin(), keys.end(), [](const TTextKey& a, const TTextKey& b) {
        if (const int order = a.Folded.compare(b.Folded); order != 0)
            return order < 0;
        return AnsiCompareStr(*a.Original, *b.Original) < 0;
    });
    benchmark::DoNotOptimize(keys.data());
}

constexpr int kSorted = 100'000;

struct TOpenRows {
    TOpenRows() : connection(BenchDatabase()) {
        connection.db->SetConnected(true);
        connection.tr->StartTransaction();
        dataSet = MakeComponent<TFIBDataSet>(nullptr);
        dataSet->SetDatabase(connection.db.get());
        dataSet->SetTransaction(connection.tr.get());
        dataSet->SelectSQL().SetText("select first " + std::to_string(kSorted) +
                                     " I, V, N, TS from R order by I");
    }
    void Reopen() {
        dataSet->Close();
        dataSet->Open();
        dataSet->FetchAll();
    }
    fbtest::TConnection connection;
    TObjectPtr<TFIBDataSet> dataSet;
};

// Arg: 0 sorts by V, 1 by N.
void BM_DoSort(benchmark::State& state) {
    TOpenRows rows;
    const char* field = state.range(0) == 0 ? "V" : "N";
    for (auto _ : state) {
        state.PauseTiming();
        rows.Reopen();
        state.ResumeTiming();
        rows.dataSet->DoSort({field}, {true});
    }
    if (rows.dataSet->FetchedCount() != kSorted || !rows.dataSet->IsSorted())
        state.SkipWithError("not sorted");
    state.SetItemsProcessed(state.iterations() * kSorted);
}

// The same keys read once into a vector, sorted with the same comparisons.
void BM_StdStableSort(benchmark::State& state) {
    TOpenRows rows;
    rows.Reopen();
    const bool byText = state.range(0) == 0;
    std::vector<std::string> texts;
    std::vector<std::int64_t> numbers;
    TField* key = rows.dataSet->FieldByName(byText ? "V" : "N");
    for (rows.dataSet->First(); !rows.dataSet->Eof(); rows.dataSet->Next()) {
        if (byText)
            texts.push_back(key->AsString());
        else
            numbers.push_back(key->Value().AsCurrency());
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> t = texts;
        std::vector<std::int64_t> n = numbers;
        state.ResumeTiming();
        if (byText)
            SortTexts(t);
        else
            std::stable_sort(n.begin(), n.end());
        benchmark::DoNotOptimize(t.data());
        benchmark::DoNotOptimize(n.data());
    }
    state.SetItemsProcessed(state.iterations() * kSorted);
}

}  // namespace

BENCHMARK(BM_DoSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdStableSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
