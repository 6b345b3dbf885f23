// Matching a cell's text against the find dialog's pattern: whole characters of UTF-8 text, letter
// case folded for Cyrillic as well as Latin letters.
#include <gtest/gtest.h>

#include <string>

#include "data_grid/find_dialog_match.h"

namespace {

TEST(FindDialogMatch, APatternIsFoundOnlyWhereACharacterStarts) {
    struct Case {
        std::string text;
        std::string pattern;
        std::size_t at;
    };
    const Case cases[] = {
        {"ИВАНОВ", "НОВ", 6},
        {"abc", "", std::string::npos},
        {"", "a", std::string::npos},
        // "Ё" is D0 81: its second byte never starts a match.
        {"ЁЁ", "\x81", std::string::npos},
        {"x\xD0\x81\x81y", "\x81y", std::string::npos},
        {"aab", "ab", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindTextPosition(c.text, c.pattern), c.at) << c.text << "/" << c.pattern;
}

TEST(FindDialogMatch, ModesAndLetterCase) {
    struct Case {
        const char* text;
        const char* pattern;
        int mode;
        bool matchCase;
        bool matches;
    };
    const Case cases[] = {
        {"ИВАНОВ", "иванов", 0, false, true},
        {"ИВАНОВ", "иванов", 0, true, false},
        {"Пётр Иванов", "ПЁТР", 0, false, true},
        {"Straße", "STRASSE", 0, false, false},
        {"ИВАНОВ", "иванов", 1, false, true},
        {"ИВАНОВ", "иван", 1, false, false},
        {"", "", 1, false, true},
        {"x", "", 1, true, false},
        {"Иванов", "ив", 2, false, true},
        {"Иванов", "ов", 2, false, false},
        {"Ив", "Иванов", 2, true, false},
        {"Иванов", "", 2, true, true},
        {"Иванов", "Иванов", 3, true, false},
        {"Иванов", "Иванов", -1, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TFindTextMatcherEh(c.pattern, c.mode, c.matchCase).Matches(c.text), c.matches)
            << c.text << "/" << c.pattern << " mode " << c.mode << (c.matchCase ? " case" : "");
}

}  // namespace
