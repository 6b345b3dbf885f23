#include "platform/rtl/datetime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/os/clock.h"
#include "platform/rtl/exceptions.h"

namespace {

// Runs a test under an English time locale and a fixed zone, whatever the machine has.
class DateTimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("LC_ALL", "C", 1);
        ReloadFormatSettings();
    }
    void TearDown() override {
        unsetenv("LC_ALL");
        ReloadFormatSettings();
    }
};

TEST_F(DateTimeTest, EncodeAndDecodeRoundTrip) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(EncodeDate(2024, 3, 1), 45352.0);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    int y, m, d, h, n, s, ms;
    DecodeDate(EncodeDate(2000, 2, 29) + EncodeTime(23, 59, 59, 999), y, m, d);
    DecodeTime(EncodeDate(2000, 2, 29) + EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{2000, 2, 29, 23, 59, 59, 999}));
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_EQ(DayOfWeek(0.0), 7);  // 1899-12-30 was a Saturday
    EXPECT_DOUBLE_EQ(IncDay(EncodeDate(2024, 3, 1), -3), EncodeDate(2024, 2, 27));
}

struct FormatCase {
    const char* format;
    const char* expected;
};

TEST_F(DateTimeTest, FormatTokens) {
    const TDateTime dt = EncodeDate(2024, 3, 5) + EncodeTime(9, 7, 3, 45);  // a Tuesday
    const FormatCase cases[] = {
        {"yyyy-mm-dd", "2024-03-05"},
        {"yy/m/d", "24/3/5"},
        {"dd.mm.yyyy hh:nn:ss.zzz", "05.03.2024 09:07:03.045"},
        {"hh:mm", "09:07"},  // mm right after hh is minutes
        {"h:m:s", "9:7:3"},
        {"hh 'hours' mm", "09 hours 07"},
        {"ddd dddd", "Tue Tuesday"},
        {"mmm mmmm", "Mar March"},
        {"dddd dd.mm.yyyy", "Tuesday 05.03.2024"},
        {"\"yyyy\" yyyy", "yyyy 2024"},
        {"YYYY-MM-DD HH:NN", "2024-03-05 09:07"},
        {"h:nn am/pm", "9:07 am"},
        {"z", "45"},
        // A token takes its whole run of letters.
        {"hhh:nnn:sss", "09:07:03"},
        {"zz", "045"},
        {"zzzz", "045"},
        {"yyy", "2024"},
        {"ddddddd", "Tuesday, 5 March 2024"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, dt), c.expected) << c.format;
    EXPECT_EQ(FormatDateTime("hh:nn AM/PM", EncodeTime(15, 30, 0, 0)), "03:30 PM");
    EXPECT_EQ(FormatDateTime("dddd dd.mm.yyyy", 0.0), "Saturday 30.12.1899");
}

TEST_F(DateTimeTest, NowFollowsThePlatformClock) {
    setenv("TZ", "UTC", 1);
    tzset();
    platform::ManualClock clock(DateTimeToUnixMillis(EncodeDate(2024, 3, 1) + EncodeTime(10, 0, 0, 0)));
    platform::ScopedClock scoped(clock);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", Now()), "2024-03-01 10:00:00");
    clock.Advance(1500);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Now()), "10:00:01.500");
    EXPECT_DOUBLE_EQ(Date(), EncodeDate(2024, 3, 1));
    unsetenv("TZ");
    tzset();
}

TEST_F(DateTimeTest, LocalTimeUsesTheRulesOfTheInstant) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    // Winter: UTC+1; summer: UTC+2.
    EXPECT_EQ(FormatDateTime("hh:nn", UtcToLocal(EncodeDate(2024, 1, 15) + EncodeTime(12, 0, 0, 0))),
              "13:00");
    EXPECT_EQ(FormatDateTime("hh:nn", UtcToLocal(EncodeDate(2024, 7, 15) + EncodeTime(12, 0, 0, 0))),
              "14:00");
    EXPECT_EQ(FormatDateTime("hh:nn", LocalToUtc(EncodeDate(2024, 7, 15) + EncodeTime(14, 0, 0, 0))),
              "12:00");
    unsetenv("TZ");
    tzset();
}

}  // namespace
