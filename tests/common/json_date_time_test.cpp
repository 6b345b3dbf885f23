#include "common/json_date_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/xs_date_time_exception.h"
#include "platform/os/clock.h"
#include "platform/rtl/exceptions.h"
#include "scoped_time_zone.h"
#include "show_date_time.h"

namespace {

constexpr std::int64_t kWinterNow = 1705312800000;  // 2024-01-15 10:00 UTC
constexpr std::int64_t kSummerNow = 1721037600000;  // 2024-07-15 10:00 UTC

struct Conversion {
    std::string text;
    std::string expected;  // yyyy-mm-dd hh:nn:ss
};

class JsonToDateTimeTest : public ::testing::Test {
  protected:
    void CheckAll(const std::vector<Conversion>& cases) {
        for (const Conversion& c : cases) {
            EXPECT_EQ(Show(JsonToDateTime(c.text)), c.expected) << c.text << " under TZ=" << zone_;
        }
    }
    void UseZone(const std::string& zone) {
        zone_ = zone;
        tz_.Set(zone);
    }

    std::string zone_ = "UTC";
    ScopedTimeZone tz_{"UTC"};
};

TEST_F(JsonToDateTimeTest, WorkedExamplesAtUtcPlusThreeWithoutDaylightTime) {
    UseZone("Europe/Moscow");
    CheckAll({
        {"2024-03-05T10:00:00+03:00", "2024-03-05 10:00:00"},
        {"2024-03-05T10:00:00Z", "2024-03-05 13:00:00"},
        {"2024-03-05T10:00:00", "2024-03-05 13:00:00"},
        {"2024-03-05T10:00:00.123-01:30", "2024-03-05 14:30:00"},
        {"2024-03-05", "2024-03-05 00:00:00"},
        {"05.03.2024", "2024-03-05 00:00:00"},
        {"10:15:30", "1899-12-30 10:15:30"},
        {"23:59:59", "1899-12-30 23:59:59"},
        // Only the first 19 characters are checked for shape; what follows without a sign is no zone.
        {"2024-03-05T10:00:00 and more", "2024-03-05 13:00:00"},
    });
}

TEST_F(JsonToDateTimeTest, TimeOfDayHasNoDatePartAndDropsTheFraction) {
    EXPECT_NEAR(JsonToDateTime("10:15:30"), (10 * 3600 + 15 * 60 + 30) / 86400.0, 1e-12);
    EXPECT_DOUBLE_EQ(JsonToDateTime("2024-03-05T10:15:30.999Z"), JsonToDateTime("2024-03-05T10:15:30Z"));
}

TEST_F(JsonToDateTimeTest, DatesAreNotShiftedAndZonedTimesDenoteTheSameInstantEverywhere) {
    struct ZoneCase {
        std::string zone;
        std::string localOfSevenUtc;  // 2024-03-05 07:00 UTC seen in that zone
    };
    const std::vector<ZoneCase> zones = {
        {"UTC", "2024-03-05 07:00:00"},
        {"Europe/Moscow", "2024-03-05 10:00:00"},
        {"Europe/Berlin", "2024-03-05 08:00:00"},
        {"America/New_York", "2024-03-05 02:00:00"},
        {"Pacific/Kiritimati", "2024-03-05 21:00:00"},
        {"America/Los_Angeles", "2024-03-04 23:00:00"},
    };
    for (const ZoneCase& z : zones) {
        UseZone(z.zone);
        CheckAll({
            {"2024-03-05T10:00:00+03:00", z.localOfSevenUtc},
            {"2024-03-05T07:00:00Z", z.localOfSevenUtc},
            {"2024-03-05T05:30:00-01:30", z.localOfSevenUtc},
            {"2024-03-05", "2024-03-05 00:00:00"},
            {"05.03.2024", "2024-03-05 00:00:00"},
        });
    }
}

// Each instant is shifted by the zone's rules for that instant, so winter and summer visits come out
// right together, whatever the date on which the conversion runs.
TEST_F(JsonToDateTimeTest, DaylightSavingChangeFollowsTheInstantConverted) {
    UseZone("Europe/Berlin");
    const std::vector<Conversion> cases = {
        {"2024-01-15T12:00:00Z", "2024-01-15 13:00:00"},
        {"2024-07-15T12:00:00Z", "2024-07-15 14:00:00"},
        {"2024-07-15T12:00:00", "2024-07-15 14:00:00"},
        {"2024-07-15T15:00:00+03:00", "2024-07-15 14:00:00"},
        {"2024-12-01T09:30:00+03:00", "2024-12-01 07:30:00"},
        // Spring forward at 01:00 UTC: local 02:00-02:59 does not exist.
        {"2024-03-31T00:59:59Z", "2024-03-31 01:59:59"},
        {"2024-03-31T01:00:00Z", "2024-03-31 03:00:00"},
        // Fall back at 01:00 UTC: local 02:00-02:59 comes twice.
        {"2024-10-27T00:30:00Z", "2024-10-27 02:30:00"},
        {"2024-10-27T01:30:00Z", "2024-10-27 02:30:00"},
        {"2024-10-27T02:00:00Z", "2024-10-27 03:00:00"},
        // A visit the evening before the change, written with its summer offset.
        {"2024-10-26T23:30:00+02:00", "2024-10-26 23:30:00"},
        {"2024-10-28T08:00:00+01:00", "2024-10-28 08:00:00"},
    };
    // The same answers whether the conversion runs in winter or in summer.
    for (std::int64_t now : {kWinterNow, kSummerNow}) {
        platform::ManualClock clock(now);
        platform::ScopedClock useClock(clock);
        CheckAll(cases);
    }
}

TEST_F(JsonToDateTimeTest, TextsOfNoAcceptedShapeGiveZero) {
    for (const char* text :
         {"", "2024-3-5", "2024/03/05", " 10:15:30", "10:15:30 ", "10.15.30", "2024-03-05 ", "5.3.2024",
          "2024-03-05T10:00", "2024-03-05 10:00:00", "10:15:3x", "tomorrow", "2024-03-05T1x:00:00"}) {
        EXPECT_EQ(JsonToDateTime(text), 0.0) << '"' << text << '"';
    }
}

TEST_F(JsonToDateTimeTest, ImpossibleValuesOfTheRightShapeRaise) {
    for (const char* text : {"24:00:00", "10:60:00", "2024-02-30", "2024-13-05", "2024-03-32T10:00:00Z",
                             "2023-02-29T10:00:00", "2024-03-05T25:00:00"}) {
        EXPECT_THROW(JsonToDateTime(text), EConvertError) << text;
    }
}

TEST_F(JsonToDateTimeTest, SignedPiecesPassTheShapeTestButFailTheParsers) {
    auto messageOf = [](const char* text) -> std::string {
        try {
            JsonToDateTime(text);
        } catch (const EXSDateTimeException& e) {
            return e.Message;
        }
        return "no EXSDateTimeException";
    };
    EXPECT_EQ(messageOf("+1:00:00"), "Invalid time string: +1:00:00");
    EXPECT_EQ(messageOf("+024-03-05"), "Invalid date string: +024-03-05");
    EXPECT_EQ(messageOf("2024-03-05T+1:00:00Z"), "Invalid time string: +1:00:00Z");
}

TEST_F(JsonToDateTimeTest, DottedDates) {
    EXPECT_EQ(Show(JsonToDateTime("29.02.2024")), "2024-02-29 00:00:00");
    EXPECT_EQ(Show(JsonToDateTime(" 5.03.2024")), "2024-03-05 00:00:00");
    {
        // A year of one or two digits falls in the platform's century window around today.
        platform::ManualClock clock(kSummerNow);
        platform::ScopedClock useClock(clock);
        EXPECT_EQ(Show(JsonToDateTime("05.03.  24")), "2024-03-05 00:00:00");
        EXPECT_EQ(Show(JsonToDateTime("05.03.  80")), "1980-03-05 00:00:00");
    }
    EXPECT_THROW(JsonToDateTime("30.02.2024"), EConvertError);
    EXPECT_THROW(JsonToDateTime("00.03.2024"), EConvertError);
    try {
        JsonToDateTime("+5.03.2024");
        FAIL() << "a signed day was accepted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'+5.03.2024' is not a valid date");
    }
}

TEST(JsonDateTimeShapes, EachTestAcceptsOnlyItsOwnForm) {
    struct Shape {
        std::string text;
        bool time, isoDate, dotted, isoDateTime;
    };
    const std::vector<Shape> shapes = {
        {"10:15:30", true, false, false, false},
        {"2024-03-05", false, true, false, false},
        {"05.03.2024", false, false, true, false},
        {"2024-03-05T10:15:30", false, false, false, true},
        {"2024-03-05T10:15:30.5+03:00", false, false, false, true},
        {"$A:$B:10", true, false, false, false},  // hexadecimal pieces read as integers
        {"2024-03-05T10:15:3", false, false, false, false},
        {"2024-03-05t10:15:30", false, false, false, false},
    };
    for (const Shape& s : shapes) {
        EXPECT_EQ(IsTimeText(s.text), s.time) << s.text;
        EXPECT_EQ(IsIsoDate(s.text), s.isoDate) << s.text;
        EXPECT_EQ(IsDottedDate(s.text), s.dotted) << s.text;
        EXPECT_EQ(IsIsoDateTime(s.text), s.isoDateTime) << s.text;
    }
}

TEST(JsonDateTimeShapes, IsIntegerFollowsThePlatformRule) {
    for (const char* text : {"12", " 12", "-5", "+1", "$1F", "0x1f", "2147483647"}) {
        EXPECT_TRUE(IsInteger(text)) << text;
    }
    for (const char* text : {"", "12 ", "1x", "2147483648", "-"}) {
        EXPECT_FALSE(IsInteger(text)) << text;
    }
}

}  // namespace
