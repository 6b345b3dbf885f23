#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "firebird/sql_monitor_block.h"

namespace {

using Block = std::array<std::uint8_t, monitor_block::Size>;

void Put(Block& block, std::size_t offset, std::int32_t value) {
    std::memcpy(block.data() + offset, &value, sizeof value);
}

std::int32_t Get(const Block& block, std::size_t offset) {
    std::int32_t value;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

TEST(SqlMonitorBlock, WrittenChunkReadsBackAtItsOffsets) {
    alignas(8) Block block{};
    TMonitorSharedBlock shared(block.data());
    shared.WriteChunk(mcFetch, 45000.5, "select 1");
    EXPECT_EQ(Get(block, 2032), 8);
    EXPECT_EQ(Get(block, 2036), 2);
    double stamp;
    std::memcpy(&stamp, block.data() + 2004, sizeof stamp);
    EXPECT_EQ(stamp, 45000.5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data()), 8), "select 1");

    const auto chunk = ReadMonitorChunk(block);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(chunk->Category, mcFetch);
    EXPECT_EQ(chunk->TimeStamp, 45000.5);
    EXPECT_EQ(chunk->Text, "select 1");
}

TEST(SqlMonitorBlock, CountersSitWhereTheToolsLookForThem) {
    alignas(8) Block block{};
    TMonitorSharedBlock shared(block.data());
    const std::vector<std::pair<int, std::size_t>> categories = {
        {mcPrepare, 2028}, {mcExecute, 2024}, {mcFetch, 2020}, {mcConnect, 2016}, {mcTransaction, 2012}};
    for (const auto& [category, offset] : categories) {
        shared.CategoryListeners(category)->store(category + 10);
        EXPECT_EQ(Get(block, offset), category + 10) << category;
    }
    EXPECT_FALSE(shared.CategoryListeners(mcService));
    EXPECT_FALSE(shared.CategoryListeners(-1));
    shared.MonitorCount().store(3);
    shared.ReaderCount().store(2);
    EXPECT_EQ(Get(block, 2044), 3);
    EXPECT_EQ(Get(block, 2040), 2);
}

TEST(SqlMonitorBlock, LengthsAndCategoriesFromAnotherProcessAreChecked) {
    struct Case {
        std::int32_t length;
        std::int32_t category;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {1, 0, true},     {2002, 5, true},     {0, 1, false},   {-1, 1, false},
        {2003, 1, false}, {1 << 30, 1, false}, {10, -1, false}, {10, 6, false},
    };
    for (const Case& c : cases) {
        Block block{};
        Put(block, 2032, c.length);
        Put(block, 2036, c.category);
        const auto chunk = ReadMonitorChunk(block);
        EXPECT_EQ(chunk.has_value(), c.accepted) << c.length << " " << c.category;
        if (chunk) {
            EXPECT_EQ(chunk->Text.size(), static_cast<std::size_t>(c.length));
        }
    }
}

TEST(SqlMonitorBlock, ShortBlockIsRefused) {
    Block block{};
    Put(block, 2032, 1);
    EXPECT_FALSE(ReadMonitorChunk(std::span<const std::uint8_t>(block.data(), monitor_block::Size - 1)));
    EXPECT_FALSE(ReadMonitorChunk({}));
}

TEST(SqlMonitorBlock, CountersAreNotLoweredBelowZero) {
    alignas(8) Block block{};
    TMonitorSharedBlock shared(block.data());
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {{2, 1}, {1, 0}, {0, 0}, {-3, -3}};
    for (const auto& [before, after] : cases) {
        shared.MonitorCount().store(before);
        EXPECT_EQ(DecrementIfPositive(shared.MonitorCount()), after);
        EXPECT_EQ(shared.MonitorCount().load(), after);
    }
}

}  // namespace
