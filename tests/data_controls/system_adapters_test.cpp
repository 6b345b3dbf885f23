#include "data_controls/system_adapters.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Variant IntArray(int low, const std::vector<int>& values) {
    Variant array = VarArrayCreate({low, low + static_cast<int>(values.size()) - 1}, varVariant);
    for (std::size_t i = 0; i < values.size(); ++i)
        array.PutElement({low + static_cast<int>(i)}, Variant(values[i]));
    return array;
}

std::vector<Variant> Elements(const Variant& array) {
    std::vector<Variant> elements;
    for (int i = array.LowBound(1); i <= array.HighBound(1); ++i) elements.push_back(array[i]);
    return elements;
}

struct RedimCase {
    const char* name;
    int low;
    std::vector<int> values;
    int newHigh;
    std::vector<Variant> expected;
};

TEST(RedimVarArray, KeepsTheElementsBothShapesShareAndKeepsTheLowBound) {
    const RedimCase cases[] = {
        {"grow", 0, {1, 2, 3}, 4, {Variant(1), Variant(2), Variant(3), Variant(), Variant()}},
        {"shrink", 0, {1, 2, 3}, 1, {Variant(1), Variant(2)}},
        {"same", 0, {7, 8}, 1, {Variant(7), Variant(8)}},
        {"to empty", 0, {1, 2}, -1, {}},
        {"low bound kept", 5, {1, 2, 3}, 6, {Variant(1), Variant(2)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Variant array = IntArray(c.low, c.values);
        RedimVarArray(array, c.newHigh);
        EXPECT_EQ(array.LowBound(1), c.low);
        EXPECT_EQ(array.HighBound(1), c.newHigh);
        EXPECT_EQ(Elements(array), c.expected);
    }
}

TEST(RedimVarArray, ResizesOnlyTheLastDimensionOfATable) {
    Variant table = VarArrayCreate({0, 1, 0, 2}, varVariant);
    for (int row = 0; row <= 1; ++row)
        for (int col = 0; col <= 2; ++col) table.PutElement({row, col}, Variant(row * 10 + col));
    RedimVarArray(table, 1);
    ASSERT_EQ(table.HighBound(1), 1);
    ASSERT_EQ(table.HighBound(2), 1);
    for (int row = 0; row <= 1; ++row)
        for (int col = 0; col <= 1; ++col) EXPECT_EQ(table.GetElement({row, col}), Variant(row * 10 + col));
}

TEST(RedimVarArray, CopiesSoOtherHoldersOfTheArrayKeepTheirShape) {
    Variant array = IntArray(0, {1, 2, 3});
    const Variant other = array;
    RedimVarArray(array, 0);
    EXPECT_EQ(other.HighBound(1), 2);
    EXPECT_EQ(other[2], Variant(3));
}

TEST(RedimVarArray, RejectsWhatIsNoArrayAndBoundsBelowTheLowOneLeavingTheArray) {
    Variant plain(5);
    EXPECT_THROW(RedimVarArray(plain, 3), EVariantArrayError);
    EXPECT_EQ(plain, Variant(5));
    Variant array = IntArray(0, {1, 2});
    EXPECT_THROW(RedimVarArray(array, -5), EVariantArrayError);
    EXPECT_EQ(Elements(array), (std::vector<Variant>{Variant(1), Variant(2)}));
}

TEST(SmallPointToLParam, PacksXLowAndYHighKeepingSigns) {
    const struct {
        std::int16_t x, y;
        std::uint32_t packed;
    } cases[] = {
        {0, 0, 0}, {1, 2, 0x00020001u}, {-1, 0, 0x0000FFFFu}, {0, -1, 0xFFFF0000u}, {-2, 3, 0x0003FFFEu}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(SmallPointToLParam(c.x, c.y)), c.packed) << c.x << "," << c.y;
}

}  // namespace
