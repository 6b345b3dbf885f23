// Comma texts of string lists and the platform's rounding multiply-divide.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/rtl/mul_div.h"
#include "platform/rtl/string_list.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

TEST(CommaText, SplitsAtCommasOrBlanksAndKeepsQuotedItemsWhole) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"", {}},
        {"a,b", {"a", "b"}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {R"("x, y","say ""hi""")", {"x, y", "say \"hi\""}},
        {"\"open", {"open"}},
        {"\"a\"b", {"a", "b"}},
        {"\"\"", {""}},
        {std::string("a\0b", 3), {"a"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TStringList list;
        list.Add("old");
        list.SetCommaText(c.text);
        EXPECT_EQ(Items(list), c.items);
    }
}

TEST(CommaText, ReadsBackWhatItWrites) {
    struct Case {
        std::vector<std::string> items;
        std::string text;
    };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"A", "B"}, "A,B"},
        {{"two words", "a,b", "q\"uote", ""}, R"("two words","a,b","q""uote",)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TStringList list;
        for (const std::string& item : c.items) list.Add(item);
        EXPECT_EQ(list.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(Items(back), c.items);
    }
}

// The one change notice comes when the new items are in; a handler that raises reaches the caller
// instead of ending the program.
TEST(CommaText, AChangeHandlerThatRaisesReachesTheCaller) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] {
        ++changes;
        throw std::runtime_error("refused");
    };
    EXPECT_THROW(list.SetCommaText("a,b"), std::runtime_error);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
    list.OnChange = [&] { ++changes; };
    list.Add("c");
    EXPECT_EQ(changes, 2);
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    struct Case {
        int value, numerator, denominator, result;
    };
    const Case cases[] = {
        {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, -1, 2, -3},     {5, 1, -2, -3}, {-5, 1, -2, 3},
        {7, 1, 3, 2}, {8, 1, 3, 3},   {100, 96, 72, 133}, {1, 1, 0, -1},  {0, 5, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << "*" << c.numerator << "/" << c.denominator);
        EXPECT_EQ(MulDiv(c.value, c.numerator, c.denominator), c.result);
    }
}

}  // namespace
