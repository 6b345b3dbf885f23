#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/rtl/bcd.h"
#include "platform/rtl/timestamp.h"

namespace {
TEST(Bcd, DecimalRoundTripIsExact) {
    const struct {
        const char* text;
        int precision, places;
    } cases[] = {{"1234567890123.4567", 18, 4},
                 {"-0.05", 32, 2},
                 {"0", 4, 0},
                 {"99999999999999999999999999999999.5", 64, 1}};
    for (const auto& c : cases) {
        DecimalDigits d, back;
        ASSERT_TRUE(TryParseDecimal(c.text, '.', d));
        TBcd bcd;
        ASSERT_TRUE(TryDecimalToBcd(d, c.precision, c.places, bcd)) << c.text;
        EXPECT_EQ(BcdPlaces(bcd), c.places);
        ASSERT_TRUE(TryBcdToDecimal(bcd, back));
        EXPECT_EQ(back.digits, d.digits) << c.text;
        EXPECT_EQ(back.exponent, d.exponent) << c.text;
        EXPECT_EQ(back.negative, d.negative) << c.text;
    }
}

TEST(Bcd, RejectsWhatDoesNotFitOrIsMalformed) {
    DecimalDigits d;
    ASSERT_TRUE(TryParseDecimal("12345", '.', d));
    TBcd bcd;
    EXPECT_FALSE(TryDecimalToBcd(d, 6, 2, bcd));  // five integer digits, room for four
    EXPECT_TRUE(TryDecimalToBcd(d, 7, 2, bcd));
    DecimalDigits half;
    ASSERT_TRUE(TryParseDecimal("0.5", '.', half));
    EXPECT_FALSE(TryDecimalToBcd(half, 64, 64, bcd));  // 64 places would read as the special-value bit
    EXPECT_TRUE(TryDecimalToBcd(half, 64, 63, bcd));
    SetBcdDigit(bcd, 0, 0xA);
    EXPECT_FALSE(TryBcdToDecimal(bcd, d));
    bcd = TBcd{};
    bcd.Precision = 2;
    bcd.SignSpecialPlaces = 3;  // more places than digits
    EXPECT_FALSE(TryBcdToDecimal(bcd, d));
}

TEST(TimeStamp, ConvertsBothWaysAndRejectsDateZero) {
    const TDateTime dt = EncodeDate(2005, 2, 1) + EncodeTime(10, 30, 15, 250);
    const TTimeStamp ts = DateTimeToTimeStamp(dt);
    EXPECT_EQ(ts.Time, ((10 * 60 + 30) * 60 + 15) * 1000 + 250);
    EXPECT_DOUBLE_EQ(TimeStampToDateTime(ts), dt);
    EXPECT_EQ(DateTimeToTimeStamp(0).Date, DateDelta);
    EXPECT_THROW(TimeStampToDateTime(TTimeStamp{1000, 0}), EConvertError);
}

TEST(TimeStamp, RefusesDayNumbersItCannotHold) {
    for (const TDateTime dt : {1e300, -1e300, static_cast<double>(-DateDelta) - 1.5, std::nan(""),
                               std::numeric_limits<double>::infinity()})
        EXPECT_THROW(DateTimeToTimeStamp(dt), EConvertError) << dt;
    EXPECT_EQ(DateTimeToTimeStamp(-DateDelta).Date, 0);
}
}  // namespace

namespace {
// Scales and places from callers at the ends of the int range neither overflow nor build huge texts.
TEST(DecimalDigitsExtremes, ScalesAtTheEndsOfTheIntRange) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    std::int64_t value = 1;
    DecimalDigits d = DecimalFromInt64(42, kMin);  // 42 * 10^huge: no 64-bit value holds it
    EXPECT_FALSE(DecimalToScaledInt64(d, 0, value));
    d = DecimalFromInt64(42, kMax);  // 42 / 10^huge rounds to nothing
    ASSERT_TRUE(DecimalToScaledInt64(d, 4, value));
    EXPECT_EQ(value, 0);
    ASSERT_TRUE(TryParseDecimal("123.45", '.', d));
    EXPECT_FALSE(DecimalToScaledInt64(d, kMax, value));
    ASSERT_TRUE(DecimalToScaledInt64(d, kMin, value));
    EXPECT_EQ(value, 0);
    d.RoundToPlaces(kMax);
    EXPECT_EQ(d.digits, "12345");
}

TEST(DecimalDigitsExtremes, HugeExponentsInTextsStayBounded) {
    DecimalDigits d;
    ASSERT_TRUE(TryParseDecimal("1e999999999999", '.', d));
    EXPECT_LE(d.IntegerDigits().size(), 100001u);
    std::int64_t value = 0;
    EXPECT_FALSE(DecimalToScaledInt64(d, 0, value));
}
}  // namespace
