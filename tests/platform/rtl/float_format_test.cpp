#include <gtest/gtest.h>

#include "platform/rtl/float_format.h"

namespace {
const TNumberFormat kDot{'.', ','};
const TNumberFormat kComma{',', ' '};

struct FormatCase {
    const char* format;
    double value;
    const char* expected;
};

TEST(FormatFloat, PlaceholdersSectionsAndLiterals) {
    const FormatCase cases[] = {
        {"0.00", 1234.5, "1234.50"},
        {"#,##0.00", 1234567.891, "1,234,567.89"},
        {"#,##0", -1234567, "-1,234,567"},
        {"0.##", 1.5, "1.5"},
        {"0.##", 2, "2"},
        {"000", 7, "007"},
        {"#", 0, ""},
        {"0", 2.5, "3"},  // half away from zero
        {"0", -2.5, "-3"},
        {"0.00", 2.675, "2.68"},
        {"0.0;(0.0)", -3.25, "(3.3)"},
        {"0.0;;zero", 0.04, "zero"},
        {"0.0;;zero", -0.04, "zero"},
        {"0;;", -5, "-5"},  // empty negative section falls back to the first
        {"\"Sum: \"0.00' rub'", 12, "Sum: 12.00 rub"},
        {"0.00E+00", 1234.5, "1.23E+03"},
        {"0.0E-0", 0.000125, "1.3E-4"},
        {"0.0E-0", 125000, "1.3E5"},
        {"#-##", 1234, "12-34"},
        {"", 0.1, "0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value, kDot), c.expected) << c.format << " " << c.value;
}

TEST(FormatFloat, UsesTheGivenSeparators) {
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5, kComma), "1 234 567,50");
    EXPECT_EQ(FormatScaled("0.0000", 12345678901234567, 4, kDot), "1234567890123.4567");
    EXPECT_EQ(FormatScaled("#,##0.00", -9223372036854775807LL - 1, 2, kDot), "-92,233,720,368,547,758.08");
}

TEST(NumberFormat, ChangesReachTheReferenceHeldByACaller) {
    const TNumberFormat& held = NumberFormat();
    SetNumberFormat(kComma);
    EXPECT_EQ(held.DecimalSeparator, ',');
    SetNumberFormat(kDot);
    EXPECT_EQ(held.DecimalSeparator, '.');
    ReloadNumberFormat();
    EXPECT_EQ(&NumberFormat(), &held);
}

TEST(FloatToStr, FifteenDigitsAndScientificBounds) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {{0, "0"},
                 {1.5, "1.5"},
                 {-2, "-2"},
                 {0.1 + 0.2, "0.3"},
                 {0.0001, "0.0001"},
                 {0.00001, "1E-5"},
                 {1e14, "100000000000000"},
                 {1e15, "1E15"},
                 {1.25e20, "1.25E20"},
                 {123456.789, "123456.789"}};
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value, kDot), c.expected) << c.value;
    EXPECT_EQ(FloatToStr(1.5, kComma), "1,5");
}

TEST(StrToFloat, AcceptsTheDecimalRuleOnly) {
    double v = 0;
    EXPECT_TRUE(TryStrToFloat("  -12.5e2 ", v, kDot));
    EXPECT_DOUBLE_EQ(v, -1250);
    EXPECT_TRUE(TryStrToFloat(".5", v, kDot));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(TryStrToFloat("3,25", v, kComma));
    EXPECT_DOUBLE_EQ(v, 3.25);
    for (const char* bad : {"", "abc", "1.2.3", "1e", "1,5", "--1", "1e999", "0x10"})
        EXPECT_FALSE(TryStrToFloat(bad, v, kDot)) << bad;
    SetNumberFormat(kDot);
    try {
        StrToFloat("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid floating point value");
    }
}

TEST(Currency, TextRoundTripsExactly) {
    std::int64_t c = 0;
    ASSERT_TRUE(TryStrToCurr("922337203685477.5807", c, kDot));
    EXPECT_EQ(c, INT64_MAX);
    EXPECT_EQ(CurrToStr(c, kDot), "922337203685477.5807");
    EXPECT_FALSE(TryStrToCurr("922337203685477.5808", c, kDot));
    ASSERT_TRUE(TryStrToCurr("-0.00005", c, kDot));
    EXPECT_EQ(c, -1);  // half away from zero
    EXPECT_EQ(CurrToStr(125000, kComma), "12,5");
    EXPECT_EQ(CurrToStr(-1, kDot), "-0.0001");
    EXPECT_EQ(CurrToStr(70000, kDot), "7");
}
}  // namespace
