#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "firebird/bcd_utils.h"
#include "firebird/number_utils.h"
#include "firebird/scaled_int.h"
#include "platform/rtl/float_format.h"

namespace {
class ScaledNumbers : public ::testing::Test {
  protected:
    void SetUp() override { SetNumberFormat({',', ' '}); }
    void TearDown() override { ReloadNumberFormat(); }
};

TEST(NumberUtils, PowersDigitsAndRounding) {
    EXPECT_EQ(PowerOfTen(0), 1.0L);
    EXPECT_EQ(PowerOfTen(18), 1e18L);
    EXPECT_NEAR(static_cast<double>(PowerOfTen(-3)), 0.001, 1e-18);
    EXPECT_THROW(PowerOfTen(19), EInvalidOperation);
    const struct {
        std::int64_t x;
        int digits;
    } cases[] = {{0, 0},
                 {9, 1},
                 {10, 2},
                 {-99, 2},
                 {999999999999999999LL, 18},
                 {1000000000000000000LL, 19},
                 {INT64_MIN, 19},
                 {INT64_MAX, 19}};
    for (const auto& c : cases) EXPECT_EQ(DigitCount(c.x), c.digits) << c.x;
    EXPECT_EQ(RoundToDecimals(2, 1.125L), 1.12L);  // ties to even
    EXPECT_EQ(RoundToDecimals(0, -2.5L), -2.0L);
    EXPECT_EQ(StrToComp("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToComp(" 1.5e3"), 1500);
    for (const char* bad : {"abc", "", "9223372036854775808", "1,5"}) {
        try {
            StrToComp(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "Invalid comp value");
        }
    }
}

// Ties go to the even last digit kept, whichever side of the point it stands on. The ties below
// are exact in binary.
TEST(NumberUtils, RoundToDecimalsTiesGoToEven) {
    const struct {
        int n;
        long double x, expected;
    } cases[] = {
        {0, 3.5L, 4},         {0, -3.5L, -4},       {0, 2.5L, 2},         {0, -2.5L, -2},
        {0, 0.5L, 0},         {0, -0.5L, 0},        {0, 1.5L, 2},         {0, 1e15L + 0.5L, 1e15L},
        {0, 2.4L, 2},         {0, 2.6L, 3},         {0, -2.6L, -3},       {0, 7, 7},
        {1, 0.25L, 0.2L},     {1, 0.75L, 0.8L},     {1, -0.25L, -0.2L},   {1, 2.25L, 2.2L},
        {1, 2.24L, 2.2L},     {1, -2.26L, -2.3L},   {2, 1.125L, 1.12L},   {2, 1.375L, 1.38L},
        {2, -1.875L, -1.88L}, {2, -0.125L, -0.12L}, {3, 1.0625L, 1.062L}, {3, 1.0635L, 1.064L},
        {18, 0.5L, 0.5L},     {-1, 25.75L, 25},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(static_cast<double>(RoundToDecimals(c.n, c.x)), static_cast<double>(c.expected))
            << c.n << " " << static_cast<double>(c.x);
    EXPECT_TRUE(std::isinf(RoundToDecimals(2, HUGE_VALL)));
    EXPECT_TRUE(std::isnan(RoundToDecimals(2, NAN)));
    EXPECT_THROW(RoundToDecimals(19, 1.5L), EInvalidOperation);
}

// Hostile texts: long digit strings and huge exponents are refused or read at once, never
// overflowing or building texts of their size.
TEST(NumberUtils, StrToCompCopesWithHostileTexts) {
    const std::string manyDigits(1000000, '9');
    const std::string manyZeros = "0." + std::string(1000000, '0') + "1";
    EXPECT_THROW(StrToComp(manyDigits), EConvertError);
    EXPECT_EQ(StrToComp(manyZeros), 0);
    EXPECT_EQ(StrToComp(std::string(1000000, '0') + "42"), 42);
    for (const char* text : {"1e2147483648", "1e99999999999999999999", "-1e4294967296", "1e", "1e+", "1e-"}) {
        try {
            StrToComp(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), "Invalid comp value") << text;
        }
    }
    EXPECT_EQ(StrToComp("9e-99999999999999999999"), 0);
    EXPECT_EQ(StrToComp("-9e-2147483649"), 0);
    EXPECT_EQ(StrToComp("0.5e1"), 5);
    EXPECT_EQ(StrToComp("922337203685477580.7e1"), INT64_MAX);
}

TEST(NumberUtils, BitsAndRandomValues) {
    EXPECT_TRUE(BitIsSet(0x01, 1));
    EXPECT_FALSE(BitIsSet(0x01, 2));
    EXPECT_TRUE(BitIsSet(0x80, 8));
    EXPECT_EQ(ToggleBit(0x80, 8), 0x00);
    EXPECT_EQ(ToggleBit(0x00, 3), 0x04);
    for (int n : {0, -1, 9, 32, 33, INT_MIN, INT_MAX}) {  // a byte has no such bit
        EXPECT_FALSE(BitIsSet(0xFF, n)) << n;
        EXPECT_EQ(ToggleBit(0x5A, n), 0x5A) << n;
    }
    EXPECT_EQ(MinInt(3, -2), -2);
    EXPECT_EQ(SignOfInt(-7), -1);
    for (int i = 0; i < 200; ++i) {
        const int r = RandomInRange(5, 8);
        EXPECT_GE(r, 5);
        EXPECT_LE(r, 7);
    }
    EXPECT_EQ(RandomInRange(5, 5), 5);
    bool sawNonNegative = false;  // the span of the whole int range does not fit an int
    for (int i = 0; i < 64; ++i) sawNonNegative |= RandomInRange(INT_MIN, INT_MAX) >= 0;
    EXPECT_TRUE(sawNonNegative);
    const std::string digits = RandomDigitString(25);
    EXPECT_EQ(digits.size(), 25u);
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
}

TEST(NumberUtils, ExtendedPrecisionKeepsOtherControlBits) {
#if defined(__i386__) || defined(__x86_64__)
    const std::uint16_t before = GetFPUControlWord();
    SetFPUExtendedPrecision();
    EXPECT_EQ(GetFPUControlWord(), before | 0x300);
#else
    SetFPUExtendedPrecision();
    EXPECT_EQ(GetFPUControlWord(), 0);
#endif
}

TEST_F(ScaledNumbers, TextsOfScaledIntegers) {
    const struct {
        int scale;
        char sep;
        std::int64_t value;
        const char* expected;
    } cases[] = {{2, ',', -5, "-0,05"},
                 {2, '.', 1200, "12"},
                 {0, '.', 7, "7"},
                 {2, '.', 1250, "12.5"},
                 {4, '.', 0, "0"},
                 {-2, '.', 15, "15"},
                 {3, '.', -1000, "-1"},
                 {4, '.', 12345678901234567, "1234567890123.4567"},
                 {18, '.', INT64_MIN, "-9.223372036854775808"},
                 {3, '.', 12, "0.012"},
                 {3, '.', -120, "-0.12"},
                 {1, '.', 1000000000000000000, "100000000000000000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScaledInt64ToStrSep(c.scale, c.sep, c.value), c.expected) << c.value;
        std::string appended = "N = ";
        AppendScaledInt64(appended, c.scale, c.sep, c.value);
        EXPECT_EQ(appended, std::string("N = ") + c.expected) << c.value;
    }
    EXPECT_EQ(ScaledInt64ToStr(2, 1250), "12,5");
    EXPECT_EQ(ScaledInt64ToStrSep(INT_MIN, '.', INT64_MIN), "-9223372036854775808");  // the integer
    EXPECT_EQ(ScaledInt64ToStrSep(63, '.', -5), "-0." + std::string(62, '0') + "5");
    EXPECT_EQ(ScaledInt64ToStrSep(25, '.', INT64_MAX), "0.0000009223372036854775807");
    EXPECT_EQ(Int64ToStrExact(1000000000000000000LL), "1000000000000000000");
    EXPECT_EQ(Int64ToStrExact(INT64_MIN), "-9223372036854775808");
}

TEST_F(ScaledNumbers, DisplayFormatsAreExact) {
    const struct {
        const char* format;
        int scale;
        std::int64_t value;
        const char* expected;
    } cases[] = {{"#,##0.00", 4, 12345678901234567, "1 234 567 890 123,46"},
                 {"0.0000", 4, 12345678901234567, "1234567890123,4567"},
                 {"0.00;(0.00)", 2, -1999, "(19,99)"},
                 {"0.00", 3, -4, "0,00"},  // rounds to zero: no minus sign
                 {"0.00", 3, -5, "-0,01"},
                 {"0.00;;zero", 2, 0, "zero"},
                 {"0", 2, 199, "2"},
                 {"#.##", 3, 1500, "1,5"},
                 {"0.00E+00", 2, 123456, "1,23E+03"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatScaledInt64(c.format, c.scale, c.value), c.expected) << c.format;
}

// A scale beyond the 63 places of a BCD is refused rather than written out (a scale near the int
// limits once overflowed or allocated gigabytes); within them the text is exact.
TEST_F(ScaledNumbers, ScalesBeyondWhatABcdCarriesRaise) {
    for (int scale : {64, 1000, INT_MAX}) {
        EXPECT_THROW(ScaledInt64ToStrSep(scale, '.', 5), EConvertError) << scale;
        EXPECT_THROW(ScaledInt64ToStr(scale, INT64_MIN), EConvertError) << scale;
    }
    for (int scale : {64, -64, 1000, -1000, INT_MAX, INT_MIN}) {
        for (std::int64_t value : {std::int64_t{5}, INT64_MIN, INT64_MAX}) {
            try {
                FormatScaledInt64("0.00", scale, value);
                ADD_FAILURE() << scale;
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message, "Scale " + std::to_string(scale) + " lies outside -63..63");
            }
        }
    }
    const struct {
        const char* format;
        int scale;
        std::int64_t value;
        const char* expected;
    } cases[] = {{"0.00", 63, INT64_MAX, "0,00"},
                 {"0.00", 18, INT64_MIN, "-9,22"},
                 {"#,##0.00", 0, INT64_MIN, "-9 223 372 036 854 775 808,00"},
                 {"0.00", -2, INT64_MIN, "-922337203685477580800,00"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatScaledInt64(c.format, c.scale, c.value), c.expected) << c.format << " " << c.scale;
    EXPECT_EQ(FormatScaledInt64("0", -63, 1), "1" + std::string(63, '0'));
}

TEST_F(ScaledNumbers, Numeric18_4RoundTripsThroughBcd) {
    const std::int64_t values[] = {12345678901234567, -12345678901234567, 0, 1, -1, INT64_MAX,
                                   INT64_MIN,         999999999999999999};
    for (std::int64_t v : values) {
        TBcd bcd;
        ASSERT_TRUE(ScaledInt64ToBcd(4, bcd, v));
        EXPECT_EQ(bcd.Precision, 32);
        EXPECT_EQ(BcdPlaces(bcd), 4);
        std::int64_t back = 42;
        int scale = -1;
        ASSERT_TRUE(BcdToScaledInt64(bcd, back, scale));
        EXPECT_EQ(back, v);
        EXPECT_EQ(scale, 4);
    }
    TBcd bcd;
    ASSERT_TRUE(ScaledInt64ToBcd(4, bcd, 12345678901234567));
    EXPECT_EQ(BcdToStrDot(bcd), "1234567890123.4567");
    EXPECT_EQ(BcdToStrLocal(bcd), "1234567890123,4567");
    Extended x = 0;
    ASSERT_TRUE(BcdToExtended(bcd, x));
    EXPECT_NEAR(static_cast<double>(x), 1234567890123.4567, 1e-3);
    EXPECT_FALSE(ScaledInt64ToBcd(33, bcd, 1));
}

TEST_F(ScaledNumbers, BcdEdgeCases) {
    TBcd big;
    big.Precision = 20;
    for (int i = 0; i < 20; ++i) SetBcdDigit(big, i, 9);
    std::int64_t v = 0;
    int scale = 0;
    EXPECT_THROW(BcdToScaledInt64(big, v, scale), EBcdOverflowError);
    EXPECT_EQ(BcdToStrDot(big), "99999999999999999999");  // the text needs no 64-bit integer

    TBcd special;
    special.Precision = 10;
    special.SignSpecialPlaces = BcdSpecialBit | 2;
    v = 5;
    EXPECT_TRUE(BcdToScaledInt64(special, v, scale));
    EXPECT_EQ(v, 0);
    EXPECT_EQ(scale, 2);

    TBcd bad;
    bad.Precision = 2;
    SetBcdDigit(bad, 1, 12);
    EXPECT_FALSE(BcdToScaledInt64(bad, v, scale));
    EXPECT_EQ(BcdToStrDot(bad), "");
    Extended x;
    EXPECT_FALSE(BcdToExtended(bad, x));
}

TEST_F(ScaledNumbers, CompareBcdIsExact) {
    TBcd a, b, c, d;
    ScaledInt64ToBcd(4, a, 12345678901234567);  // 1234567890123.4567
    ScaledInt64ToBcd(4, b, 12345678901234568);  // one unit more: equal as doubles
    ScaledInt64ToBcd(2, c, -5);                 // -0.05
    ScaledInt64ToBcd(0, d, 0);
    EXPECT_EQ(CompareBcd(a, b), -1);
    EXPECT_EQ(CompareBcd(b, a), 1);
    EXPECT_EQ(CompareBcd(a, a), 0);
    EXPECT_EQ(CompareBcd(c, d), -1);
    EXPECT_EQ(CompareBcd(d, c), 1);
    TBcd e;
    ScaledInt64ToBcd(3, e, -50);  // -0.050
    EXPECT_EQ(CompareBcd(c, e), 0);
}
}  // namespace
