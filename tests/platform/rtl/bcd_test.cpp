#include <gtest/gtest.h>

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
}  // namespace
