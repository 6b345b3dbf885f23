#include <gtest/gtest.h>

#include "firebird/ident_quoting.h"
#include "firebird/sql_reserved_words.h"
#include "platform/rtl/strings.h"

namespace {
TEST(SqlReservedWords, SortedListAndPairIndexAgree) {
    const TStringList& words = SqlReservedWords();
    ASSERT_EQ(words.Count(), 303);
    for (int i = 1; i < words.Count(); ++i) EXPECT_LE(CompareText(words[i - 1], words[i]), 0) << words[i];
    for (int i = 0; i < words.Count(); ++i) {
        const SqlWordRange r = SqlWordIndex(words[i][0], words[i][1]);
        EXPECT_LE(r.First, i) << words[i];
        EXPECT_GE(r.Last, i) << words[i];
    }
    EXPECT_EQ(SqlWordIndex('A', 'A').Last, -1);
    EXPECT_EQ(SqlWordIndex('Q', 'Q').First, 0);
    EXPECT_EQ(SqlWordIndex('Q', 'Q').Last, 0);
}

TEST(IdentNeedsQuotes, ByCharactersDigitsAndReservedWords) {
    const struct {
        const char* name;
        bool allowLower, expected;
    } cases[] = {
        {"ORDER", false, true},   {"order", true, true},      {"Select", false, true},
        {"WHERE", false, false},  {"MY_TABLE", false, false}, {"A1", false, false},
        {"1ABC", false, true},    {"MY-TABLE", false, true},  {"", false, false},
        {"\"X\"", false, true},   {"X", false, false},        {"name", false, true},
        {"name", true, false},    {"AVG", false, true},       {"CSTRING", false, true},
        {"FREE_IT", false, true}, {"GEN_ID", false, true},    {"SUB_TYPE", false, true},
        {"_ORDER", false, false}, {"ORDERS", false, false},   {"Z9", false, false},
        {"PRIMARY", false, true}, {"ZONE$", false, false},    {"ПОЛЕ", true, true},
    };
    for (const auto& c : cases) EXPECT_EQ(IdentNeedsQuotesEx(c.name, c.allowLower), c.expected) << c.name;
    EXPECT_TRUE(IdentNeedsQuotes("select"));
    EXPECT_FALSE(IdentNeedsQuotesIgnoreCase("my_field"));
}

TEST(DialectIdentifier, QuotesUpperCasesOrTrims) {
    EXPECT_EQ(DialectIdentifierEx(3, "name", true), "NAME");
    EXPECT_EQ(DialectIdentifierEx(3, "\"Name\"", true), "\"Name\"");
    EXPECT_EQ(DialectIdentifierEx(1, "  name ", true), "NAME");
    EXPECT_EQ(DialectIdentifierEx(3, "order", true), "\"order\"");
    EXPECT_EQ(DialectIdentifierEx(3, "name", false), "\"name\"");
    EXPECT_EQ(DialectIdentifierEx(3, "", false), "");
    EXPECT_EQ(DialectIdentifier(3, "Name"), "\"Name\"");
    EXPECT_EQ(DialectIdentifier(3, "NAME"), "NAME");
    EXPECT_EQ(DialectIdentifier(1, " Name "), "NAME");
    // Quoting keeps the SQL sound: an embedded quote is doubled.
    EXPECT_EQ(DialectIdentifierEx(3, "a\"b", true), "\"a\"\"b\"");
    EXPECT_EQ(DialectIdentifier(3, "\"X\""), "\"\"\"X\"\"\"");
}

TEST(ParamNames, PrefixesOfOldNewAndMasterValues) {
    EXPECT_TRUE(IsOldParamName("OLD_ID"));
    EXPECT_TRUE(IsOldParamName("old_id"));
    EXPECT_FALSE(IsOldParamName("OLD_"));
    EXPECT_FALSE(IsOldParamName("OLD$ID"));
    EXPECT_FALSE(IsOldParamName("OLDXID"));
    EXPECT_TRUE(IsNewParamName("New_Name"));
    EXPECT_TRUE(IsMasterParamName("MAS_ID"));
    EXPECT_FALSE(IsMasterParamName("MASTER"));
}
}  // namespace
