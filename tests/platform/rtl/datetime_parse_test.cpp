#include <gtest/gtest.h>

#include "platform/os/clock.h"
#include "platform/rtl/datetime_parse.h"

namespace {
TFormatSettings Settings(char sep, const char* shortDate) {
    TFormatSettings fs;
    fs.DateSeparator = sep;
    fs.ShortDateFormat = shortDate;
    return fs;
}

TEST(StrToDate, FollowsTheOrderOfTheShortDateFormat) {
    platform::ManualClock clock(1700000000000);  // 2023-11-14
    platform::ScopedClock scoped(clock);
    const struct {
        char sep;
        const char* format;
        const char* text;
        int y, m, d;
    } cases[] = {
        {'.', "dd.mm.yyyy", "01.02.2005", 2005, 2, 1},     {'/', "mm/dd/yyyy", "02/01/2005", 2005, 2, 1},
        {'-', "yyyy-mm-dd", " 2005 - 2 - 1 ", 2005, 2, 1}, {'.', "dd.mm.yyyy", "5.6", 2023, 6, 5},
        {'.', "dd.mm.yyyy", "1.2.72", 2072, 2, 1},         {'.', "dd.mm.yyyy", "1.2.73", 1973, 2, 1},
        {'.', "dd.mm.yyyy", "1.2.0072", 72, 2, 1},
    };
    for (const auto& c : cases) {
        TDateTime dt = -1;
        ASSERT_TRUE(TryStrToDate(c.text, dt, Settings(c.sep, c.format))) << c.text;
        EXPECT_EQ(dt, EncodeDate(c.y, c.m, c.d)) << c.text;
    }
    TDateTime dt;
    for (const char* bad : {"31.02.2005", "1.2.2005x", "", "1..2", "12:30"})
        EXPECT_FALSE(TryStrToDate(bad, dt, Settings('.', "dd.mm.yyyy"))) << bad;
}

TEST(StrToTime, HoursMinutesSecondsAndAmPm) {
    const TFormatSettings fs = Settings('.', "dd.mm.yyyy");
    const struct {
        const char* text;
        int h, n, s, ms;
    } cases[] = {{"13:05", 13, 5, 0, 0},
                 {"1:2:3.4", 1, 2, 3, 4},
                 {"12:00 AM", 0, 0, 0, 0},
                 {"PM 1:15", 13, 15, 0, 0},
                 {"7", 7, 0, 0, 0}};
    for (const auto& c : cases) {
        TDateTime t = -1;
        ASSERT_TRUE(TryStrToTime(c.text, t, fs)) << c.text;
        EXPECT_DOUBLE_EQ(t, EncodeTime(c.h, c.n, c.s, c.ms)) << c.text;
    }
    TDateTime t;
    for (const char* bad : {"24:00", "13:00 PM", "1:60", "1:2:"})
        EXPECT_FALSE(TryStrToTime(bad, t, fs)) << bad;
}

TEST(StrToDateTime, DateWithOptionalTimeOrTimeAlone) {
    const TFormatSettings fs = Settings('.', "dd.mm.yyyy");
    EXPECT_DOUBLE_EQ(StrToDateTime("01.02.2005 10:30", fs),
                     EncodeDate(2005, 2, 1) + EncodeTime(10, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("01.02.2005", fs), EncodeDate(2005, 2, 1));
    EXPECT_DOUBLE_EQ(StrToDateTime("10:30", fs), EncodeTime(10, 30, 0, 0));
    try {
        StrToDateTime("01.02.2005 x", fs);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'01.02.2005 x' is not a valid date and time");
    }
}
}  // namespace
