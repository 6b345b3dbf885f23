#include "platform/rtl/strings.h"

#include <gtest/gtest.h>

namespace {

TEST(Strings, TrimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim("  \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(" \x01 "), "");
}

TEST(Strings, CaseMappingHandlesCyrillicInUtf8) {
    EXPECT_EQ(AnsiUpperCase("Пройдите в кабинет ёж abc"), "ПРОЙДИТЕ В КАБИНЕТ ЁЖ ABC");
    EXPECT_EQ(AnsiLowerCase("КАБИНЕТ Ё ABC"), "кабинет ё abc");
    EXPECT_EQ(UpperCase("abcЖ"), "ABCЖ");  // ASCII only
    EXPECT_TRUE(AnsiSameText("Врач", "ВРАЧ"));
    EXPECT_FALSE(SameText("Врач", "ВРАЧ"));
    EXPECT_TRUE(SameText("Options", "OPTIONS"));
}

TEST(Strings, InvalidUtf8SurvivesCaseMapping) {
    const std::string broken = "a\xFF\xC3z";
    EXPECT_EQ(AnsiUpperCase(broken), "A\xFF\xC3Z");
    // An overlong NUL, a surrogate and a value past U+10FFFF keep their bytes.
    const std::string invalid = "\xC0\x80-\xED\xB2\x80-\xF4\x90\x80\x80-\xEF\xBF\xBD";
    EXPECT_EQ(AnsiLowerCase(invalid), invalid);
}

struct ReplaceCase {
    const char* text;
    const char* from;
    const char* to;
    TReplaceFlags flags;
    const char* expected;
};

TEST(Strings, StringReplace) {
    const ReplaceCase cases[] = {
        {"Пройдите в кабинет {room}", "{room}", "12", rfReplaceAll | rfIgnoreCase, "Пройдите в кабинет 12"},
        {"{room} и {ROOM}", "{room}", "7а", rfReplaceAll | rfIgnoreCase, "7а и 7а"},
        {"{room} и {ROOM}", "{room}", "7", rfReplaceAll, "7 и {ROOM}"},
        {"aaa", "a", "b", 0, "baa"},
        {"aaa", "a", "aa", rfReplaceAll, "aaaaaa"},
        {"Кабинет КАБИНЕТ", "кабинет", "x", rfReplaceAll | rfIgnoreCase, "x x"},
        {"abc", "", "x", rfReplaceAll, "abc"},
        {"", "a", "x", rfReplaceAll, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(StringReplace(c.text, c.from, c.to, c.flags), c.expected) << c.text;
}

TEST(Strings, IntegerTexts) {
    EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
}

}  // namespace
