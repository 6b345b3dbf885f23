#include "firebird/sorted_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<std::int32_t> Items(const TSortedList& list) {
    std::vector<std::int32_t> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.GetItem(i));
    return items;
}

TEST(SortedList, CompareIntegersIsSigned) {
    EXPECT_EQ(CompareIntegers(INT_MIN, INT_MAX), -1);
    EXPECT_EQ(CompareIntegers(INT_MAX, INT_MIN), 1);
    EXPECT_EQ(CompareIntegers(-5, -5), 0);
}

TEST(SortedList, AddKeepsOneOfEachInOrder) {
    TSortedList list;
    for (std::int32_t v : {5, -3, 9, 5, INT_MIN, 0, 9}) list.Add(v);
    EXPECT_EQ(Items(list), (std::vector<std::int32_t>{INT_MIN, -3, 0, 5, 9}));
    EXPECT_EQ(list.Add(5), 3);  // present: its index
    EXPECT_EQ(list.Add(6), 4);  // new: where it went
    const struct {
        std::int32_t value;
        bool found;
        int index;
    } cases[] = {{INT_MIN, true, 0}, {-4, false, 1}, {6, true, 4}, {7, false, 5}, {INT_MAX, false, 6}};
    for (const auto& c : cases) {
        int index = -1;
        EXPECT_EQ(list.Find(c.value, index), c.found) << c.value;
        EXPECT_EQ(index, c.index) << c.value;
    }
    list.Remove(-3);
    list.Remove(100);
    EXPECT_EQ(Items(list), (std::vector<std::int32_t>{INT_MIN, 0, 5, 6, 9}));
    EXPECT_EQ(list.Last(), 9);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Last(), -1);
}

TEST(SortedList, ShiftFromRenumbersTheTail) {
    const struct {
        std::int32_t from, delta;
        std::vector<std::int32_t> after;
    } cases[] = {
        {5, 1, {2, 6, 8}},    // a record inserted before 5
        {4, -1, {2, 4, 6}},   // from the first larger value when absent
        {7, 10, {2, 5, 17}},  // the last value alone
        {9, 100, {2, 5, 7}},  // above every value: nothing
        {-1, 1, {3, 6, 8}},   // below every value: all
    };
    for (const auto& c : cases) {
        TSortedList list;
        for (std::int32_t v : {2, 5, 7}) list.Add(v);
        list.ShiftFrom(c.from, c.delta);
        EXPECT_EQ(Items(list), c.after) << c.from << " " << c.delta;
    }
}

TEST(SortedList, IndexesOutsideTheListRaise) {
    TSortedList list;
    list.Add(1);
    for (int index : {-1, 1}) {
        try {
            list.GetItem(index);
            ADD_FAILURE() << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

}  // namespace
