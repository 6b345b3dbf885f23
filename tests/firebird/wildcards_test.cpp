#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "firebird/wildcards.h"

namespace {
// The former recursive matchers, kept as the reference that the iterative ones must agree with.
namespace reference {
bool IsWild(char c) {
    return c == '*' || c == '?';
}

bool WildcardMatchCore(std::string_view a, std::string_view b);

bool MatchStar(std::string_view a, std::string_view b) {
    const std::string_view rest = a.substr(1);
    const char next = rest.front();
    for (std::size_t i = 0; i < b.size(); ++i)
        if ((b[i] == '*' || b[i] == '?' || b[i] == next) && WildcardMatchCore(rest, b.substr(i)))
            return true;
    return false;
}

bool WildcardMatchCore(std::string_view a, std::string_view b) {
    while (true) {
        if (a == "*" || b == "*" || a == b)
            return true;
        if (a.empty() || b.empty())
            return false;
        if (!IsWild(a[0]) && !IsWild(b[0]) && a[0] != b[0])
            return false;
        if (a[0] == '*')
            return MatchStar(a, b);
        if (b[0] == '*')
            return MatchStar(b, a);
        a.remove_prefix(1);
        b.remove_prefix(1);
    }
}

bool MatchPatternCore(std::string_view text, std::string_view pattern, char run, char single) {
    while (true) {
        if ((pattern.size() == 1 && pattern[0] == run) || pattern == text)
            return true;
        if (text.empty() || pattern.empty())
            return false;
        const char p = pattern[0];
        if (p != run && p != single && p != text[0])
            return false;
        if (p == run) {
            const std::string_view rest = pattern.substr(1);
            for (std::size_t i = 0; i < text.size(); ++i)
                if (text[i] == rest[0] && MatchPatternCore(text.substr(i), rest, run, single))
                    return true;
            return false;
        }
        if (p == single) {
            text.remove_prefix(1);
            pattern.remove_prefix(1);
            continue;
        }
        std::size_t n = 0;
        while (n < pattern.size() && pattern[n] != run && pattern[n] != single) ++n;
        if (n == pattern.size() || text.substr(0, n) != pattern.substr(0, n))
            return false;
        text.remove_prefix(n);
        pattern.remove_prefix(n);
    }
}

bool WildcardMatch(std::string_view a, std::string_view b) {
    return WildcardMatchCore(CompressWildcards(a), CompressWildcards(b));
}

bool MatchPattern(std::string_view text, std::string_view pattern, char run, char single) {
    return MatchPatternCore(text, CompressWildcards(pattern, run, single), run, single);
}
}  // namespace reference

// Every text over the alphabet with at most maxLength characters, the empty one included.
std::vector<std::string> AllTexts(std::string_view alphabet, std::size_t maxLength) {
    std::vector<std::string> texts = {""};
    for (std::size_t begin = 0, length = 1; length <= maxLength; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i)
            for (char c : alphabet) texts.push_back(texts[i] + c);
        begin = end;
    }
    return texts;
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}
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

TEST(Wildcards, SymmetricMatchAgreesWithTheRecursiveOneOnEveryShortPair) {
    const std::vector<std::string> texts = AllTexts("ab*?", 5);
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(WildcardMatch(a, b), reference::WildcardMatch(a, b)) << a << " ~ " << b;
}

TEST(Wildcards, OneSidedMatchAgreesWithTheRecursiveOneOnEveryShortPair) {
    const char wild[2] = {'*', '?'};
    const std::vector<std::string> globTexts = AllTexts("ab*?", 5);
    for (const std::string& text : globTexts)
        for (const std::string& pattern : globTexts)
            ASSERT_EQ(MatchPattern(text, pattern, wild), reference::MatchPattern(text, pattern, '*', '?'))
                << text << " ~ " << pattern;
    const std::vector<std::string> likeTexts = AllTexts("ab%_", 5);
    for (const std::string& text : likeTexts)
        for (const std::string& pattern : likeTexts)
            ASSERT_EQ(MatchLikePattern(text, pattern), reference::MatchPattern(text, pattern, '%', '%'))
                << text << " ~ " << pattern;
}

// Inputs that overflowed the stack (a recursion per wildcard) or ran for ages (backtracking) now
// finish at once; the bound is only there to stop a hang.
TEST(Wildcards, HostilePatternsFinish) {
    const std::string manyStars = Repeat("*a", 200000), manyPercents = Repeat("%a", 200000);
    const std::string longText = Repeat("a", 200000), sixtyA = Repeat("a", 60);
    const std::string backtracking = "%a%a%a%a%a%a%a%a%a%a%a%b";
    const char wild[2] = {'*', '?'};
    const struct {
        const char* name;
        std::function<bool()> match;
        bool expected;
    } cases[] = {
        {"like, 200000 runs", [&] { return MatchLikePattern(longText, manyPercents); }, true},
        {"like, 200000 runs, one too many", [&] { return MatchLikePattern(longText, manyPercents + "%a"); },
         false},
        {"glob, 200000 runs", [&] { return MatchPattern(longText, manyStars + "?", wild); }, false},
        {"glob, 200000 runs and a star", [&] { return MatchPattern(longText, manyStars + "*", wild); }, true},
        {"like, backtracking", [&] { return MatchLikePattern(sixtyA, backtracking); }, false},
        {"like, backtracking to the end", [&] { return MatchLikePattern(sixtyA + "b", backtracking); }, true},
        {"symmetric, 200000 stars", [&] { return WildcardMatch(manyStars, Repeat("a", 50)); }, false},
        {"symmetric, 200000 stars against a star",
         [&] { return WildcardMatch(Repeat("a", 50) + "*", manyStars); }, true},
        {"symmetric, backtracking", [&] { return WildcardMatch("*a*a*a*a*a*a*a*a*a*a*a*b", sixtyA); }, false},
        {"symmetric, backtracking to the end",
         [&] { return WildcardMatch(sixtyA + "b", "*a*a*a*a*a*a*a*a*a*a*a*b"); }, true},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(c.match(), c.expected) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
    }
}
}  // namespace
