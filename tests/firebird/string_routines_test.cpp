#include <gtest/gtest.h>

#include <climits>

#include "firebird/str_basics.h"
#include "firebird/str_replace.h"
#include "firebird/str_search.h"

namespace {
TEST(TrimAndCase, BoundsAndInPlaceRoutines) {
    const struct {
        const char* text;
        int first, last;
    } cases[] = {{"  ab c \t", 3, 6}, {"   ", 1, 0}, {"x", 1, 1}, {"\x01y\x1F", 2, 2}};
    for (const auto& c : cases) {
        int first = -7, last = -7;
        GetTrimBounds(c.text, first, last);
        EXPECT_EQ(first, c.first) << c.text;
        EXPECT_EQ(last, c.last) << c.text;
    }
    int first = -7, last = -7;
    GetTrimBounds("", first, last);
    EXPECT_EQ(first, -7);
    EXPECT_EQ(last, 0);

    std::string s = " \tvalue \r\n";
    TrimInPlace(s);
    EXPECT_EQ(s, "value");
    s = " v ";
    TrimRightInPlace(s);
    EXPECT_EQ(s, " v");
    EXPECT_EQ(PCharTrimRightLength("abc  \t"), 3u);
    EXPECT_EQ(FastStrLen(nullptr), 0u);
    EXPECT_EQ(FastStrLen("12345"), 5u);
    EXPECT_TRUE(IsBlankStr(" \x01\t"));
    EXPECT_FALSE(IsBlankStr(" a"));
    EXPECT_EQ(AsciiUpperCase("abc_Ыz"), "ABC_ЫZ");
    s = "ABc-Я";
    AsciiLowerCaseInPlace(s);
    EXPECT_EQ(s, "abc-Я");
}

TEST(Comparison, LettersFoldOtherBytesDoNot) {
    EXPECT_TRUE(AsciiSameStr("Order_1", "oRDER_1", false));
    EXPECT_FALSE(AsciiSameStr("!", "A", false));  // 32 apart, but not letters
    EXPECT_FALSE(AsciiSameStr("@", "`", false));
    EXPECT_FALSE(AsciiSameStr("a", "A", true));
    EXPECT_FALSE(AsciiSameStr("ab", "abc", false));
    EXPECT_TRUE(EqualStrings(true, "Ёлка", "ёЛКА"));
    EXPECT_FALSE(EqualStrings(false, "Abc", "abc"));
    EXPECT_FALSE(EqualStrings(true, "abc", "abcd"));
    EXPECT_TRUE(StrInArray("b", {"a", "b"}));
    EXPECT_FALSE(StrInArray("B", {"a", "b"}));
    EXPECT_EQ(IfThenStr(false, "x", "y"), "y");
    EXPECT_EQ(FillString('-', 3), "---");
    EXPECT_EQ(FillString('-', 0), "");
}

TEST(Copying, FastCopyAndMoveSubstr) {
    std::string dest = "old";
    FastCopy("abcdef", dest, 3, 2);
    EXPECT_EQ(dest, "cd");
    FastCopy("abcdef", dest, 5, 10);
    EXPECT_EQ(dest, "ef");
    FastCopy("abcdef", dest, 7, 1);
    EXPECT_EQ(dest, "");
    dest = "..........";
    MoveSubstr("abcdef", dest, 2, 3, 4);
    EXPECT_EQ(dest, "...bcd....");
    EXPECT_THROW(MoveSubstr("abc", dest, 2, 3, 1), EInvalidOperation);
    EXPECT_THROW(MoveSubstr("abcdef", dest, 1, 3, 9), EInvalidOperation);
    EXPECT_THROW(MoveSubstr("abcdef", dest, 2, INT_MAX, 1), EInvalidOperation);  // no wrap-around
}

TEST(Searching, PositionsAreOneBased) {
    EXPECT_EQ(PosChar('c', "abcabc"), 3);
    EXPECT_EQ(PosChar('z', "abc"), 0);
    EXPECT_EQ(PosAnyChar({'z', 'c', 'b'}, "abcabc"), 2);
    EXPECT_EQ(PosAnyChar({'z'}, "abc"), 0);
    EXPECT_EQ(PosIgnoreCase("Where", "select * WHERE x"), 10);
    const struct {
        const char* sub;
        const char* text;
        int start, last, expected;
    } cases[] = {{"ab", "xabxab", 1, 100, 2},   {"ab", "xabxab", 3, 100, 5}, {"ab", "xabxab", 3, 5, 0},
                 {"ab", "xabxab", 3, 6, 5},     {"", "abc", 1, 100, 0},      {"abc", "", 1, 100, 0},
                 {"aXa", "aYa aXa", 1, 100, 5}, {"a", "bba", 0, 100, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(PosFromTo(c.sub, c.text, c.start, c.last), c.expected) << c.sub << c.text;
    EXPECT_EQ(PosFrom("ab", "abab", 2), 3);
}

TEST(Searching, PositionsNearTheIntLimitsFindNothingOrWhatFits) {
    const struct {
        int start, last, expected;
    } cases[] = {{INT_MAX, INT_MAX, 0}, {INT_MAX - 1, INT_MAX, 0}, {INT_MIN, INT_MAX, 2},
                 {INT_MIN, INT_MIN, 0}, {1, INT_MIN, 0},           {2, INT_MAX, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(PosFromTo("ab", "xabxab", c.start, c.last), c.expected) << c.start << ".." << c.last;
    EXPECT_EQ(PosFrom("ab", "xabxab", INT_MAX), 0);
    EXPECT_EQ(PosFrom("a", "xa", INT_MAX - 1), 0);
}

TEST(Searching, WordsAndDelimiters) {
    const TCharSet blanks = MakeCharSet(" (,\t");
    EXPECT_EQ(PosWord("ID", "GRID, ID2, ID", blanks, blanks), 12);
    EXPECT_EQ(PosWord("ID", "ID", blanks, blanks), 1);
    EXPECT_EQ(PosWord("ID", "IDS", blanks, blanks), 0);
    EXPECT_EQ(PosWordIgnoreCase("from", "select x From(t)", blanks, false, blanks), 10);
    EXPECT_EQ(PosWordIgnoreCase("имя", "select ИМЯ", blanks, true, blanks), 8);

    const TCharSet delims = MakeCharSet(" ,;");
    EXPECT_EQ(ExtractWordN(2, ",one,, two;three", delims), "two");
    EXPECT_EQ(ExtractWordN(4, "one two three", delims), "");
    EXPECT_EQ(ExtractWordN(1, " ,; ", delims), " ,; ");
    EXPECT_EQ(ExtractWordN(2, " ,; ", delims), "");
    EXPECT_EQ(WordCountBySet(",one,, two;three ", delims), 3);
    EXPECT_EQ(WordCountBySet("", delims), 0);
}

TEST(Searching, PairsAndQuotes) {
    std::string name, value;
    SplitNameValue("user=a=b", name, value);
    EXPECT_EQ(name, "user");
    EXPECT_EQ(value, "a=b");
    SplitNameValue("flag", name, value);
    EXPECT_EQ(name, "flag");
    EXPECT_EQ(value, "");
    EXPECT_EQ(ValueOfPair("k=v"), "v");
    EXPECT_EQ(ValueOfPair("k"), "");
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"'abc'", "abc"}, {"  \"a b\" \r\n", "a b"}, {"\"'x'", "x"}, {"'\"x'", "\"x"}, {"abc", "abc"},
        {"x'", "x'"},     {"\"it's\"", "it's"},      {"'", "'"},     {"''", ""}};
    for (const auto& c : cases) EXPECT_EQ(StripQuotes(c.text), c.expected) << c.text;
}

TEST(Replacing, EveryOccurrenceLeftToRight) {
    const struct {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    } cases[] = {{"a-b-c", "-", "::", "a::b::c"}, {"aaaa", "aa", "b", "bb"}, {"abc", "x", "y", "abc"},
                 {"abcabc", "abc", "", ""},       {"abc", "", "y", "abc"},   {"xx", "x", "xx", "xxxx"}};
    for (const auto& c : cases) EXPECT_EQ(ReplaceStr(c.text, c.from, c.to), c.expected) << c.text;
    EXPECT_EQ(ReplaceStrIgnoreCase("Select a FROM t from", "from", "JOIN"), "Select a JOIN t JOIN");
    EXPECT_EQ(ReplaceStrIgnoreCase("Поле и ПОЛЕ", "поле", "F"), "F и F");
    // Bytes that are no proper UTF-8 (an overlong "A") stay as they are, and the rest is still replaced.
    EXPECT_EQ(ReplaceStrIgnoreCase("\xC1\x81 from t", "FROM", "JOIN"), "\xC1\x81 JOIN t");
}
}  // namespace
