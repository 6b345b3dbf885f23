#include <gtest/gtest.h>

#include "firebird/string_list_utils.h"

namespace {
TStringList ListOf(std::initializer_list<const char*> items) {
    TStringList list;
    for (const char* s : items) list.Add(s);
    return list;
}

TEST(StringListUtils, EmptyLines) {
    EXPECT_TRUE(IsEmptyStrings(ListOf({})));
    EXPECT_TRUE(IsEmptyStrings(ListOf({"", "  ", "\t"})));
    EXPECT_FALSE(IsEmptyStrings(ListOf({"", "x"})));
    TStringList list = ListOf({"a", "", "  ", ""});
    DeleteEmptyStrings(list);
    EXPECT_EQ(list.Text(), "a\r\n  \r\n");
}

TEST(StringListUtils, BinarySearchWithinBounds) {
    TStringList list = ListOf({"ALPHA", "BETA", "beta", "BETA", "GAMMA", "OMEGA"});
    list.SetDuplicates(TDuplicates::dupAccept);
    int index = -1;
    EXPECT_TRUE(FindInSortedStrings(list, "Beta", 0, index, false, 5));
    EXPECT_EQ(index, 1);  // the first of the equal ones
    EXPECT_FALSE(FindInSortedStrings(list, "GAMMA", 0, index, false, 3));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(FindInSortedStrings(list, "ALPHA", 1, index, false, 5));
    EXPECT_TRUE(FindInSortedStrings(list, "OMEGA", -5, index, true, 99));
    EXPECT_EQ(index, 5);
    EXPECT_FALSE(FindInSortedStrings(list, "DELTA", 0, index, false, 5));
    EXPECT_EQ(index, 4);
    list.SetCaseSensitive(true);
    EXPECT_FALSE(FindInSortedStrings(list, "omega", 0, index, false, 5));
}

TEST(StringListUtils, CompareByListCaseRule) {
    TStringList list;
    EXPECT_EQ(CompareListStrings("abc", "ABC", false, list), 0);
    EXPECT_GT(CompareListStrings("_", "Z", false, list), 0);  // CompareText orders by upper-cased bytes
    list.SetCaseSensitive(true);
    EXPECT_GT(CompareListStrings("abc", "ABC", false, list), 0);
    EXPECT_LT(CompareListStrings("abc", "ABC", true, list), 0);  // linguistic: lower case first
}

TEST(StringListUtils, DifferenceKeepsObjects) {
    TStringList a = ListOf({"one", "two", "three"});
    int marker = 0;
    a.PutObject(2, &marker);
    TStringList sortedB = ListOf({"TWO"});
    sortedB.SetSorted(true);
    TStringList result = ListOf({"stale"});
    StringsDifference(a, sortedB, result);
    EXPECT_EQ(result.Text(), "one\r\nthree\r\n");
    EXPECT_EQ(result.GetObject(1), &marker);
    TStringList plainB = ListOf({"one", "three"});
    StringsDifference(a, plainB, result);
    EXPECT_EQ(result.Text(), "two\r\n");
}
}  // namespace
