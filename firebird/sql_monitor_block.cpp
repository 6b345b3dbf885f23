#include "firebird/sql_monitor_block.h"

#include <algorithm>
#include <cstring>

namespace {

std::int32_t LoadInt32(std::span<const std::uint8_t> block, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

}  // namespace

std::optional<TMonitorChunk> ReadMonitorChunk(std::span<const std::uint8_t> block) {
    if (block.size() < monitor_block::Size)
        return std::nullopt;
    const std::int32_t length = LoadInt32(block, monitor_block::ChunkLength);
    const std::int32_t category = LoadInt32(block, monitor_block::Category);
    if (length < 1 || length > static_cast<std::int32_t>(MonitorChunkSize))
        return std::nullopt;
    if (category < 0 || category >= MonitorCategoryCount)
        return std::nullopt;
    TMonitorChunk chunk;
    chunk.Category = category;
    std::memcpy(&chunk.TimeStamp, block.data() + monitor_block::TimeStamp, sizeof chunk.TimeStamp);
    chunk.Text.assign(reinterpret_cast<const char*>(block.data() + monitor_block::Text),
                      static_cast<std::size_t>(length));
    return chunk;
}

std::atomic_ref<std::int32_t> TMonitorSharedBlock::Counter(std::size_t offset) const {
    // The block is page-aligned and every counter sits at a multiple of four.
    return std::atomic_ref<std::int32_t>(*reinterpret_cast<std::int32_t*>(block_ + offset));
}

std::optional<std::atomic_ref<std::int32_t>> TMonitorSharedBlock::CategoryListeners(int category) const {
    if (category < 0 || category >= mcService)
        return std::nullopt;
    const auto fromPrepare = static_cast<std::size_t>(category) * sizeof(std::int32_t);
    return Counter(monitor_block::PrepareListeners - fromPrepare);
}

void TMonitorSharedBlock::WriteChunk(int category, TDateTime timeStamp, std::string_view text) {
    const auto length = static_cast<std::int32_t>(std::min(text.size(), MonitorChunkSize));
    const auto category32 = static_cast<std::int32_t>(category);
    std::memcpy(block_ + monitor_block::Category, &category32, sizeof category32);
    std::memcpy(block_ + monitor_block::TimeStamp, &timeStamp, sizeof timeStamp);
    std::memcpy(block_ + monitor_block::ChunkLength, &length, sizeof length);
    std::memcpy(block_ + monitor_block::Text, text.data(), static_cast<std::size_t>(length));
}

void TMonitorSharedBlock::CopyTo(std::span<std::uint8_t, monitor_block::Size> copy) const {
    std::memcpy(copy.data(), block_, monitor_block::Size);
}

std::int32_t DecrementIfPositive(std::atomic_ref<std::int32_t> counter) {
    std::int32_t value = counter.load();
    while (value > 0 && !counter.compare_exchange_weak(value, value - 1)) {
    }
    return value > 0 ? value - 1 : value;
}
