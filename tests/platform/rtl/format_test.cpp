#include "platform/rtl/format.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FormatCase {
    const char* format;
    std::initializer_list<FormatArg> args;
    const char* expected;
};

TEST(Format, SpecifiersWithFlagsWidthAndPrecision) {
    const FormatCase cases[] = {
        {"plain", {}, "plain"},
        {"%d", {42}, "42"},
        {"%d", {-42}, "-42"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.4d", {42}, "0042"},
        {"%.4d", {-42}, "-0042"},
        {"%6.4d", {42}, "  0042"},
        {"%u", {7u}, "7"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%s and %s", {"a", "b"}, "a and b"},
        {"[%8s]", {"abc"}, "[     abc]"},
        {"[%-8s]", {"abc"}, "[abc     ]"},
        {"[%.2s]", {"abcdef"}, "[ab]"},
        {"%*d", {4, 7}, "   7"},
        {"%1:s %0:s", {"world", "hello"}, "hello world"},
        {"100%%", {}, "100%"},
        {"%.2f", {3.14159}, "3.14"},
        {"%f", {2.0}, "2.00"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n|%.1n|%n", {-123456.0, 999.95, -0.001}, "-123,456|1,000.0|-0.00"},
        {"'%s' is not a valid integer value", {"$00GG"}, "'$00GG' is not a valid integer value"},
        {"Привет, %s!", {"мир"}, "Привет, мир!"},
        // Widths and precisions count characters, not bytes, and never cut one in half.
        {"[%5s]", {"мир"}, "[  мир]"},
        {"[%-5s]", {"мир"}, "[мир  ]"},
        {"[%.2s]", {"мир"}, "[ми]"},
        {"[%.0s]", {"мир"}, "[]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
}

TEST(Format, MismatchRaisesConvertError) {
    const FormatCase bad[] = {
        {"%d", {"text"}, ""},          // text for an integer
        {"%s", {5}, ""},               // integer for a text
        {"%f", {5}, ""},               // integer for a float
        {"%d %d", {1}, ""},            // too few arguments
        {"%", {1}, ""},                // a lone percent sign at the end
        {"%q", {1}, ""},               // unknown type
        {"%n%n%n", {}, ""},            // printf's %n must never write anywhere
        {"%*d", {2000000000, 1}, ""},  // a width no text could fill
        {"%999999d", {1}, ""},
    };
    for (const auto& c : bad) EXPECT_THROW(Format(c.format, c.args), EConvertError) << c.format;
}

// "*" takes the width or precision from a 64-bit argument: values that look small once cut to
// 32 bits must not slip past the limit, and every negative value means none.
TEST(Format, StarWidthAndPrecisionAreCheckedOnAllTheirBits) {
    constexpr long long kMin = std::numeric_limits<long long>::min();
    const FormatCase taken[] = {
        {"[%*d]", {-5, 1}, "[1]"},
        {"[%*d]", {-3294967296LL, 1}, "[1]"},  // 1000000000 once cut to 32 bits
        {"[%*d]", {kMin, 1}, "[1]"},
        {"[%-*s]", {-4294967293LL, "ab"}, "[ab]"},  // 3 once cut
        {"[%.*d]", {-3294967296LL, 7}, "[7]"},
        {"[%.*s]", {-5, "abc"}, "[]"},
        {"[%.*s]", {-4294967294LL, "abc"}, "[]"},  // 2 once cut
        {"[%*.*d]", {4, 3, 7}, "[ 007]"},
    };
    for (const auto& c : taken) EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;

    const FormatCase refused[] = {
        {"%*d", {4294967301LL, 1}, ""},  // 5 once cut
        {"%*d", {100001, 1}, ""},
        {"%.*d", {4294967301LL, 1}, ""},
        {"%.*s", {std::numeric_limits<long long>::max(), "abc"}, ""},
    };
    for (const auto& c : refused) EXPECT_THROW(Format(c.format, c.args), EConvertError) << c.format;
}

TEST(Format, TextArgumentsMayBeTemporaries) {
    EXPECT_EQ(Format("%s-%s", {std::string("a") + "b", std::string(3, 'c')}), "ab-ccc");
}

TEST(Format, ErrorMessageNamesTheFormat) {
    try {
        Format("%d", {"x"});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Format '%d' invalid or incompatible with argument");
    }
}

}  // namespace
