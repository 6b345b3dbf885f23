#include <gtest/gtest.h>

#include "firebird/wildcards.h"

namespace {
TEST(Wildcards, CompressKeepsOneStarPerRun) {
    const struct {
        const char* mask;
        const char* expected;
    } cases[] = {{"a**b", "a*b"}, {"*?*", "*"}, {"?*", "?*"}, {"*", "*"}, {"", ""}, {"a?b", "a?b"}};
    for (const auto& c : cases) EXPECT_EQ(CompressWildcards(c.mask), c.expected) << c.mask;
    EXPECT_EQ(CompressWildcards("a%%b", '%', '%'), "a%b");
}

TEST(Wildcards, SymmetricMatch) {
    const struct {
        const char* a;
        const char* b;
        bool expected;
    } cases[] = {{"*", "", true},
                 {"", "*", true},
                 {"", "", true},
                 {"", "a", false},
                 {"abc", "abc", true},
                 {"abc", "abd", false},
                 {"a*c", "abbbc", true},
                 {"abbbc", "a*c", true},
                 {"a?c", "abc", true},
                 {"a?c", "ac", false},
                 {"a*", "xa", false},
                 {"*.txt", "readme.txt", true},
                 {"*.txt", "readme.doc", false},
                 {"a*c", "a?c", true},
                 {"ab*", "a*", true},
                 {"*b*", "abc", true},
                 {"a**?c", "axc", true}};
    for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.a, c.b), c.expected) << c.a << " ~ " << c.b;
}

TEST(Wildcards, IndexOfWildcardWithCase) {
    TStringList masks;
    for (const char* m : {"*.DOC", "REP*", "*"}) masks.Add(m);
    EXPECT_EQ(IndexOfWildcard(masks, "report.txt", false), 1);
    EXPECT_EQ(IndexOfWildcard(masks, "a.doc", false), 0);
    EXPECT_EQ(IndexOfWildcard(masks, "a.doc", true), 2);
    masks.Delete(2);
    EXPECT_EQ(IndexOfWildcard(masks, "x", true), -1);
}

TEST(Wildcards, OneSidedPatterns) {
    EXPECT_TRUE(MatchLikePattern("ABC", "A%"));
    EXPECT_FALSE(MatchLikePattern("ABC", "A_C"));
    EXPECT_TRUE(MatchLikePattern("A_C", "A_C"));
    EXPECT_TRUE(MatchLikePattern("ABCABD", "%AB%D"));
    EXPECT_FALSE(MatchLikePattern("ABC", "%D"));
    EXPECT_FALSE(MatchLikePattern("", "A"));
    EXPECT_TRUE(MatchLikePattern("", "%"));
    const char wild[2] = {'*', '?'};
    EXPECT_TRUE(MatchPattern("file1.txt", "file?.*", wild));
    EXPECT_FALSE(MatchPattern("file12.txt", "file?.*", wild));
    EXPECT_FALSE(MatchPattern("file.txt", "file", wild));
    EXPECT_TRUE(MatchPattern("a*b", "a*b", wild));
}
}  // namespace
