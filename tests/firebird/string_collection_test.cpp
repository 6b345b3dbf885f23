#include "firebird/string_collection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TEST(StringCollection, GrowsTo128ThenByHalf) {
    const struct {
        int rows, capacity;
    } cases[] = {{0, 0}, {1, 128}, {128, 128}, {129, 192}, {192, 192}, {193, 288}, {289, 432}};
    for (const auto& c : cases) {
        TStringCollection table(2);
        for (int i = 0; i < c.rows; ++i) EXPECT_EQ(table.AddRow(), i + 1);
        EXPECT_EQ(table.Rows(), c.rows);
        EXPECT_EQ(table.Capacity(), c.capacity) << c.rows;
    }
}

TEST(StringCollection, ASmallCapacityStillGrows) {
    TStringCollection table(1);
    table.SetCapacity(1);
    for (int i = 0; i < 4; ++i) {
        table.AddRow();
        table.SetValue(0, i, std::to_string(i));
    }
    EXPECT_EQ(table.Capacity(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(table.GetValue(0, i), std::to_string(i));
    EXPECT_THROW(table.SetCapacity(3), EListError);  // below the rows
    EXPECT_THROW(table.SetCapacity(-1), EListError);
    table.SetCapacity(10);
    EXPECT_EQ(table.GetValue(0, 3), "3");
}

TEST(StringCollection, CellsByColumnAndRow) {
    TStringCollection table(3);
    table.AddRow();
    table.AddRow();
    table.SetValue(0, 0, "a0");
    table.SetValue(2, 1, "c1");
    table.SetValue(1, 1, "b1");
    const char buffer[] = "xyz\0tail";
    table.SetValueBuf(1, 0, buffer, -1);  // up to the zero
    EXPECT_EQ(table.GetValue(1, 0), "xyz");
    table.SetValueBuf(0, 1, buffer, 6);
    EXPECT_EQ(table.GetValue(0, 1), std::string("xyz\0ta", 6));
    table.SetValueBuf(0, 1, nullptr, 4);
    EXPECT_EQ(table.GetValue(0, 1), "");
    EXPECT_EQ(table.GetValue(2, 1), "c1");
    EXPECT_EQ(table.GetValue(1, 1), "b1");
    EXPECT_EQ(table.GetValue(2, 0), "");
}

TEST(StringCollection, DeleteRowMovesTheLaterRowsUp) {
    TStringCollection table(2);
    for (int i = 0; i < 4; ++i) {
        table.AddRow();
        table.SetValue(0, i, "a" + std::to_string(i));
        table.SetValue(1, i, "b" + std::to_string(i));
    }
    table.DeleteRow(1);
    ASSERT_EQ(table.Rows(), 3);
    EXPECT_EQ(table.GetValue(0, 1), "a2");
    EXPECT_EQ(table.GetValue(1, 2), "b3");
    table.DeleteRow(2);
    EXPECT_EQ(table.AddRow(), 3);  // the freed row comes back empty
    EXPECT_EQ(table.GetValue(0, 2), "");
    EXPECT_EQ(table.GetValue(1, 2), "");
    EXPECT_EQ(table.GetValue(0, 0), "a0");
    table.Clear();
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(table.Capacity(), 0);
}

TEST(StringCollection, CellsOutsideTheTableRaise) {
    TStringCollection table(2);
    table.AddRow();
    table.SetCapacity(8);  // capacity beyond the rows is no cell
    const std::string read = "Can't read value to StrCollection. Bad ";
    const std::string write = "Can't write value to StrCollection. Bad ";
    const struct {
        std::function<void()> access;
        std::string message;
    } cases[] = {
        {[&] { table.GetValue(2, 0); }, read + "X-Index"},
        {[&] { table.GetValue(-1, 0); }, read + "X-Index"},
        {[&] { table.GetValue(0, 1); }, read + "Y-Index"},
        {[&] { table.GetValue(0, -1); }, read + "Y-Index"},
        {[&] { table.SwapValues(0, 0, 1); }, write + "Y-Index"},
        {[&] { table.SwapValues(2, 0, 0); }, write + "X-Index"},
        {[&] { table.GetValue(5, 5); }, read + "X-Index"},
        {[&] { table.SetValue(2, 0, "x"); }, write + "X-Index"},
        {[&] { table.SetValue(0, 1, "x"); }, write + "Y-Index"},
        {[&] { table.SetValueBuf(0, -1, "x", 1); }, write + "Y-Index"},
        {[&] { table.DeleteRow(1); }, write + "Y-Index"},
        {[&] { table.DeleteRow(-1); }, write + "Y-Index"},
    };
    for (const auto& c : cases) {
        try {
            c.access();
            ADD_FAILURE() << c.message;
        } catch (const EStringCollectionError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
    EXPECT_STREQ(EStringCollectionError::Module, "pFIBLists");
    EXPECT_EQ(table.Rows(), 1);
}

}  // namespace
