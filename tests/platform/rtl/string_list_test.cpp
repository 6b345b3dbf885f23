#include <gtest/gtest.h>

#include "platform/rtl/string_compare.h"
#include "platform/rtl/string_list.h"

namespace {
std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

TEST(StringList, SortedListKeepsOrderAndHandlesDuplicates) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple"}) list.Add(s);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Apple", "banana", "pear"}));  // dupIgnore, no case
    int index = -1;
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);

    list.SetDuplicates(TDuplicates::dupAccept);
    list.Add("apple");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Apple", "apple", "banana", "pear"}));
    EXPECT_TRUE(list.Find("APPLE", index));
    EXPECT_EQ(index, 0);  // the first of equal items

    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("Pear"), EStringListError);
}

TEST(StringList, CaseSensitiveListSortsLinguistically) {
    TStringList list;
    list.SetCaseSensitive(true);
    for (const char* s : {"b", "B", "a", "A"}) list.Add(s);
    list.Sort();
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "A", "b", "B"}));
    EXPECT_EQ(list.IndexOf("B"), 3);
    EXPECT_LT(AnsiCompareText("ёлка", "ЯБЛОКО"), 0);
    EXPECT_EQ(AnsiCompareText("Ёлка", "ёЛКА"), 0);
}

TEST(StringList, NameValueLinesTextAndObjects) {
    TStringList list;
    list.SetText("user=SYSDBA\r\npassword=masterkey\nrole\r");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Values("USER"), "SYSDBA");
    EXPECT_EQ(list.Values("role"), "");
    list.SetValue("password", "");
    list.SetValue("lc_ctype", "UTF8");
    EXPECT_EQ(list.Text(), "user=SYSDBA\r\nrole\r\nlc_ctype=UTF8\r\n");
    int marker = 0;
    list.PutObject(1, &marker);
    list.Move(1, 0);
    EXPECT_EQ(list.GetObject(0), &marker);
    EXPECT_EQ(list.IndexOfObject(&marker), 0);
    EXPECT_THROW(list.Get(3), EStringListError);
}

TEST(StringList, ChangeEventsWaitForEndUpdate) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
}
}  // namespace
