// The record cache holds every fetched row: writing and reading a million records, with and
// without long texts, and the same reads through a reordering map.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "firebird_datasets/records_cache.h"

namespace {

constexpr int kRecords = 1'000'000;
constexpr int kFixed = 48;               // bytes of numbers and short texts
constexpr int kTextOffset = kFixed / 2;  // where the two long texts lie in the full buffer
constexpr int kTextLength = 40;

struct Layout {
    int texts;
    int BufferSize() const { return kFixed + texts * kTextLength; }
};

std::vector<char> SampleBuffer(const Layout& layout) {
    std::vector<char> buffer(static_cast<std::size_t>(layout.BufferSize()), 'x');
    for (int i = 0; i < layout.texts; ++i) {
        const std::string text = "Ivanov Ivan Ivanovich " + std::to_string(i);
        char* field = buffer.data() + kTextOffset + i * kTextLength;
        std::memcpy(field, text.c_str(), text.size() + 1);
    }
    return buffer;
}

void Fill(TRecordsCache& cache, std::vector<char>& buffer) {
    for (int n = 1; n <= kRecords; ++n) {
        std::memcpy(buffer.data(), &n, sizeof n);
        cache.WriteRecord(n, buffer.data(), true);
    }
}

void BM_WriteRecords(benchmark::State& state) {
    const Layout layout{static_cast<int>(state.range(0))};
    std::vector<char> buffer = SampleBuffer(layout);
    for (auto _ : state) {
        auto cache = std::make_unique<TRecordsCache>(64, layout.BufferSize(), kFixed, layout.texts);
        cache->AddBlock();
        for (int i = 0; i < layout.texts; ++i)
            cache->SetStringFieldInfo(i + 1, kTextOffset + i * kTextLength, kTextLength);
        Fill(*cache, buffer);
        benchmark::DoNotOptimize(cache->RecordAddress(kRecords));
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_ReadRecords(benchmark::State& state) {
    const Layout layout{static_cast<int>(state.range(0))};
    const bool mapped = state.range(1) != 0;
    std::vector<char> buffer = SampleBuffer(layout);
    auto cache = std::make_unique<TRecordsCache>(64, layout.BufferSize(), kFixed, layout.texts);
    cache->AddBlock();
    for (int i = 0; i < layout.texts; ++i)
        cache->SetStringFieldInfo(i + 1, kTextOffset + i * kTextLength, kTextLength);
    Fill(*cache, buffer);
    if (mapped)
        for (int i = 0; i + 1 < kRecords; i += 2) cache->ExchangeRecords(i, i + 1);
    long long sum = 0;
    for (auto _ : state) {
        for (int n = 1; n <= kRecords; ++n) {
            cache->ReadRecord(n, buffer.data());
            sum += buffer[0];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

}  // namespace

BENCHMARK(BM_WriteRecords)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecords)->Args({0, 0})->Args({2, 0})->Args({2, 1})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
