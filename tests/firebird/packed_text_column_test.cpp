#include "firebird/packed_text_column.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "firebird/string_collection.h"

namespace {

constexpr std::size_t kChunk = PackedTextColumn::kChunkSize;

// Bytes that differ by position and seed, so a value read from a wrong place shows.
std::string Text(std::size_t length, int seed) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>((seed * 131 + i * 7) % 251);
    return text;
}

// The length prefix takes one byte per 7 bits: these lengths sit on its steps, on the size from
// which a value gets its own block, and on a chunk's size.
const std::size_t kLengths[] = {0,     1,     2,     127,   128,   16381, 16382, 16383,
                                16384, 65533, 65534, 65535, 65536, 65537, 200000};

void ExpectColumn(const PackedTextColumn& column, const std::vector<std::string>& model) {
    for (std::size_t row = 0; row < model.size(); ++row)
        ASSERT_EQ(column.Get(static_cast<int>(row)), model[row]) << "row " << row;
}

void ExpectBoundedGarbage(const PackedTextColumn& column) {
    const std::size_t live = column.StoredBytes() - column.DeadBytes();
    EXPECT_TRUE(column.DeadBytes() < kChunk || column.DeadBytes() <= live)
        << column.DeadBytes() << " dead of " << column.StoredBytes();
}

TEST(PackedTextColumn, EveryLengthReadsBackBesideItsNeighbours) {
    for (const std::size_t length : kLengths) {
        PackedTextColumn column;
        column.Resize(5);
        std::vector<std::string> model = {Text(3, 1), Text(length, 2), Text(length, 3), Text(70, 4), ""};
        for (std::size_t row = 0; row < model.size(); ++row) column.Set(static_cast<int>(row), model[row]);
        SCOPED_TRACE(length);
        ExpectColumn(column, model);
    }
}

TEST(PackedTextColumn, ChunksFilledToTheLastByte) {
    // Values of 16382 characters take 16384 bytes: four fill a chunk exactly.
    for (const std::size_t length : {std::size_t{16382}, std::size_t{8190}, std::size_t{126}}) {
        PackedTextColumn column;
        const int rows = static_cast<int>(3 * kChunk / (length + 2)) + 1;
        column.Resize(rows);
        std::vector<std::string> model;
        for (int row = 0; row < rows; ++row) {
            model.push_back(Text(length, row));
            column.Set(row, model.back());
        }
        SCOPED_TRACE(length);
        ExpectColumn(column, model);
    }
}

TEST(PackedTextColumn, RewritesKeepTheRowAndItsNeighbours) {
    for (const std::size_t from : kLengths)
        for (const std::size_t to : {std::size_t{0}, std::size_t{5}, std::size_t{127}, std::size_t{128},
                                     std::size_t{16383}, std::size_t{65536}, from, from / 2, from + 1}) {
            PackedTextColumn column;
            column.Resize(3);
            std::vector<std::string> model = {Text(from, 1), Text(from, 2), Text(9, 3)};
            for (int row = 0; row < 3; ++row) column.Set(row, model[static_cast<std::size_t>(row)]);
            model[1] = Text(to, 4);
            column.Set(1, model[1]);
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            ExpectColumn(column, model);
            model[1] = Text(from, 5);  // and back
            column.Set(1, model[1]);
            ExpectColumn(column, model);
        }
}

TEST(PackedTextColumn, AValueOfTheColumnItselfCanBeStored) {
    const struct {
        const char* name;
        std::function<void(PackedTextColumn&, std::vector<std::string>&)> change;
    } cases[] = {
        {"its own tail",
         [](PackedTextColumn& c, std::vector<std::string>& m) {
             c.Set(0, c.Get(0).substr(3));
             m[0] = m[0].substr(3);
         }},
        {"its own head",
         [](PackedTextColumn& c, std::vector<std::string>& m) {
             c.Set(0, c.Get(0).substr(0, 100));
             m[0].resize(100);
         }},
        {"another row's value",
         [](PackedTextColumn& c, std::vector<std::string>& m) {
             c.Set(1, c.Get(0));
             m[1] = m[0];
         }},
        {"a row's value over a shorter one",
         [](PackedTextColumn& c, std::vector<std::string>& m) {
             c.Set(2, c.Get(0));
             m[2] = m[0];
         }},
    };
    for (const std::size_t length : {std::size_t{200}, std::size_t{20000}, std::size_t{70000}})
        for (const auto& c : cases) {
            PackedTextColumn column;
            column.Resize(3);
            std::vector<std::string> model = {Text(length, 1), Text(length * 2, 2), Text(10, 3)};
            for (int row = 0; row < 3; ++row) column.Set(row, model[static_cast<std::size_t>(row)]);
            c.change(column, model);
            SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(length));
            ExpectColumn(column, model);
        }
}

// Rewrites and deletions leave dead bytes; packing the column anew must keep every live value and
// keep the garbage below the live bytes (or one chunk).
TEST(PackedTextColumn, CompactionKeepsEveryValueAndBoundsTheGarbage) {
    const struct {
        const char* name;
        std::size_t shortest, longest;
        bool deleting;
    } cases[] = {
        {"small rewrites", 1, 300, false},
        {"rewrites across the own-block size", 10000, 30000, false},
        {"rewrites beyond a chunk", 60000, 140000, false},
        {"deleting and refilling", 1, 3000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(28);
        std::uniform_int_distribution<std::size_t> length(c.shortest, c.longest);
        const int rows = 64;
        PackedTextColumn column;
        column.Resize(rows);
        std::vector<std::string> model;
        for (int row = 0; row < rows; ++row) {
            model.push_back(Text(length(random), row));
            column.Set(row, model.back());
        }
        for (int round = 0; round < 40; ++round) {
            const int row = static_cast<int>(random() % rows);
            if (c.deleting) {
                column.Erase(row, rows);
                model.erase(model.begin() + row);
                model.push_back(Text(length(random), round));
                column.Set(rows - 1, model.back());
            } else {
                model[static_cast<std::size_t>(row)] = Text(length(random), round);
                column.Set(row, model[static_cast<std::size_t>(row)]);
            }
            ExpectColumn(column, model);
            ExpectBoundedGarbage(column);
        }
    }
}

TEST(PackedTextColumn, EmptiedRowsFreeTheirBytes) {
    PackedTextColumn column;
    column.Resize(8);
    for (int row = 0; row < 8; ++row) column.Set(row, Text(100000, row));
    for (int row = 0; row < 7; ++row) column.Set(row, "");
    EXPECT_EQ(column.Get(7), Text(100000, 7));
    EXPECT_EQ(column.Get(0), "");
    EXPECT_LE(column.StoredBytes(), 2 * (100000 + 3) + kChunk);
    column.Reset();
    EXPECT_EQ(column.StoredBytes(), 0u);
}

// Every operation of the collection, at random, against a plain table of strings.
TEST(StringCollectionPacked, RandomOperationsMatchAPlainTable) {
    std::mt19937 random(111);
    const std::size_t lengths[] = {0, 1, 15, 16, 40, 127, 128, 5000, 16383, 65536, 70000};
    const auto randomLength = [&] { return lengths[random() % std::size(lengths)]; };
    TStringCollection table(2);
    std::vector<std::vector<std::string>> model(2);
    for (int step = 0; step < 3000; ++step) {
        const int rows = table.Rows();
        const int column = static_cast<int>(random() % 2);
        auto& cells = model[static_cast<std::size_t>(column)];
        const auto row = [&] { return static_cast<int>(random() % static_cast<unsigned>(rows)); };
        switch (rows < 4 ? 0 : random() % 6) {
            case 0:
                table.AddRow();
                for (auto& m : model) m.emplace_back();
                break;
            case 1: {
                const int r = row();
                table.DeleteRow(r);
                for (auto& m : model) m.erase(m.begin() + r);
                break;
            }
            case 2: {
                const int a = row(), b = row();
                table.SwapValues(column, a, b);
                std::swap(cells[static_cast<std::size_t>(a)], cells[static_cast<std::size_t>(b)]);
                break;
            }
            case 3: {
                const int a = row(), b = row();
                table.SetValue(column, a, table.GetValue(column, b));
                cells[static_cast<std::size_t>(a)] = cells[static_cast<std::size_t>(b)];
                break;
            }
            default: {
                const int r = row();
                cells[static_cast<std::size_t>(r)] = Text(randomLength(), step);
                table.SetValue(column, r, cells[static_cast<std::size_t>(r)]);
            }
        }
        ASSERT_EQ(table.Rows(), static_cast<int>(model[0].size()));
        for (int c = 0; c < 2; ++c)
            for (int r = 0; r < table.Rows(); ++r)
                ASSERT_EQ(table.GetValue(c, r),
                          model[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)])
                    << "step " << step << " cell " << c << "," << r;
    }
}

}  // namespace
