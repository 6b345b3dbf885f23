#pragma once
// A record layout with two long-text fields between a fixed head and tail, for the cache's tests:
// head (4 bytes) | text 1 (10) | text 2 (12) | tail (60). The packed image is head and tail.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "firebird_datasets/records_cache.h"

namespace records_cache_test {

inline constexpr int kHead = 4;
inline constexpr int kTail = 60;
inline constexpr std::array<int, 2> kMaxLength = {10, 12};
inline constexpr std::array<int, 2> kOffset = {kHead, kHead + 10};
inline constexpr int kRunEnd = kHead + 10 + 12;
inline constexpr int kBufferSize = kRunEnd + kTail;
inline constexpr int kRecordSize = kHead + kTail;

// What a record holds, as the cache is expected to give it back.
struct Record {
    std::array<char, kHead + kTail> fixed{};
    std::array<std::string, 2> texts;
    bool operator==(const Record&) const = default;
};

inline std::vector<char> ToBuffer(const Record& record) {
    std::vector<char> buffer(kBufferSize, '#');  // the bytes after a text's NUL are never read
    std::memcpy(buffer.data(), record.fixed.data(), kHead);
    std::memcpy(buffer.data() + kRunEnd, record.fixed.data() + kHead, kTail);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string& text = record.texts[i];
        std::memcpy(buffer.data() + kOffset[i], text.data(), text.size());
        if (text.size() < static_cast<std::size_t>(kMaxLength[i]))
            buffer[static_cast<std::size_t>(kOffset[i]) + text.size()] = '\0';
    }
    return buffer;
}

inline Record FromBuffer(const char* buffer) {
    Record record;
    std::memcpy(record.fixed.data(), buffer, kHead);
    std::memcpy(record.fixed.data() + kHead, buffer + kRunEnd, kTail);
    for (std::size_t i = 0; i < 2; ++i)
        record.texts[i].assign(buffer + kOffset[i], strnlen(buffer + kOffset[i], kMaxLength[i]));
    return record;
}

inline Record MakeRecord(char fill, std::string text1, std::string text2) {
    Record record;
    record.fixed.fill(fill);
    record.texts = {std::move(text1), std::move(text2)};
    return record;
}

// A cache of this layout, 16 records to a 1024-byte block.
inline std::unique_ptr<TRecordsCache> MakeTextCache() {
    auto cache = std::make_unique<TRecordsCache>(16, kBufferSize, kRecordSize, 2);
    cache->AddBlock();
    for (int i = 0; i < 2; ++i) cache->SetStringFieldInfo(i + 1, kOffset[i], kMaxLength[i]);
    return cache;
}

inline Record ReadBack(TRecordsCache& cache, int n, bool fromLog = false) {
    std::vector<char> buffer(kBufferSize, '?');
    cache.ReadRecordEx(n, buffer.data(), fromLog);
    return FromBuffer(buffer.data());
}

// Stores record n as a fetch does: at most one block past the last.
inline void Fetch(TRecordsCache& cache, int n, const Record& record) {
    cache.WriteRecord(n, ToBuffer(record).data(), true);
}

inline std::string Letters(int count, char first = 'a') {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>(first + i % 26);
    return text;
}

}  // namespace records_cache_test
