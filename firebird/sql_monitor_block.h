#pragma once
// The 2048-byte block the trace channel shares with the monitor tools: the current chunk, its
// time stamp and category, and the counters the tools and writers keep. The tools of other
// processes write into it too, so whatever is read from it is checked before use.
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "firebird/sql_monitor_texts.h"
#include "platform/rtl/datetime.h"

static_assert(std::endian::native == std::endian::little, "the block is little-endian");

namespace monitor_block {
constexpr std::size_t Size = 2048;
constexpr std::size_t Text = 0;
constexpr std::size_t TimeStamp = 2004;
// The listener counters of categories 4, 3, 2, 1 and 0, in that order.
constexpr std::size_t TransactionListeners = 2012;
constexpr std::size_t PrepareListeners = 2028;
constexpr std::size_t ChunkLength = 2032;
constexpr std::size_t Category = 2036;
constexpr std::size_t ReaderCount = 2040;
constexpr std::size_t MonitorCount = 2044;
}  // namespace monitor_block

// A chunk as a tool reads it.
struct TMonitorChunk {
    int Category = 0;
    TDateTime TimeStamp = 0;
    std::string Text;
};

// Reads the chunk from a copy of the block; nothing when the block is short or its length or
// category is out of range.
std::optional<TMonitorChunk> ReadMonitorChunk(std::span<const std::uint8_t> block);

// A view of the mapped block. The counters are changed by several processes, always atomically.
class TMonitorSharedBlock {
  public:
    explicit TMonitorSharedBlock(std::uint8_t* block) : block_(block) {}

    std::atomic_ref<std::int32_t> MonitorCount() const { return Counter(monitor_block::MonitorCount); }
    std::atomic_ref<std::int32_t> ReaderCount() const { return Counter(monitor_block::ReaderCount); }
    // The listeners of a category; nothing for the service category, which has no counter.
    std::optional<std::atomic_ref<std::int32_t>> CategoryListeners(int category) const;

    void WriteChunk(int category, TDateTime timeStamp, std::string_view text);
    // A copy of the whole block, so what is checked is what is used.
    void CopyTo(std::span<std::uint8_t, monitor_block::Size> copy) const;

  private:
    std::atomic_ref<std::int32_t> Counter(std::size_t offset) const;
    std::uint8_t* block_;
};

// Lowers the counter by one unless it is already 0 or below; the value it now holds.
std::int32_t DecrementIfPositive(std::atomic_ref<std::int32_t> counter);
