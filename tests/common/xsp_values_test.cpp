#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/xml_time.h"
#include "common/xs_date_time_exception.h"
#include "common/xsp_base_custom_date_time.h"
#include "common/xsp_custom_date_time.h"
#include "common/xsp_time.h"
#include "platform/rtl/exceptions.h"
#include "show_date_time.h"

namespace {

std::string XsMessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EXSDateTimeException& e) {
        return e.Message;
    }
    return "no EXSDateTimeException";
}

TEST(XSPBaseTime, ParsesFieldsAndPrintsThemBack) {
    struct Case {
        std::string text;
        int hour, minute, second;
        std::string fraction;
        int hourOffset, minuteOffset;
        std::string printed;
    };
    const std::vector<Case> cases = {
        {"10:15:30.25+03:30", 10, 15, 30, ".25", 3, 30, "10:15:30.25+03:30"},
        {"10:15:30Z", 10, 15, 30, "", 0, 0, "10:15:30Z"},
        {"10:15:30", 10, 15, 30, "", 0, 0, "10:15:30Z"},
        {"23:59:59-12:00", 23, 59, 59, "", -12, 0, "23:59:59-12:00"},
        {"00:00:00.5-00:30", 0, 0, 0, ".5", 0, -30, "00:00:00.5-00:30"},
        {"07:08:09.000100Z", 7, 8, 9, ".000100", 0, 0, "07:08:09.000100Z"},
        {"10:15:30 +03:00", 10, 15, 30, "", 0, 0, "10:15:30Z"},  // a blank ends the time
        {"10-15-30", 10, 15, 30, "", 0, 0, "10:15:30Z"},         // separators are not examined
    };
    for (const Case& c : cases) {
        TXSPBaseTime time;
        time.Parse(c.text);
        EXPECT_EQ(time.Hour, c.hour) << c.text;
        EXPECT_EQ(time.Minute, c.minute) << c.text;
        EXPECT_EQ(time.Second, c.second) << c.text;
        EXPECT_EQ(time.FractionalSeconds, c.fraction) << c.text;
        EXPECT_EQ(time.HasFraction, !c.fraction.empty()) << c.text;
        EXPECT_EQ(time.HourOffset(), c.hourOffset) << c.text;
        EXPECT_EQ(time.MinuteOffset(), c.minuteOffset) << c.text;
        EXPECT_EQ(time.Print(), c.printed) << c.text;
    }
}

TEST(XSPBaseTime, RejectsTextsOutOfShape) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"10:15:3x", "Invalid time string: 10:15:3x"},
        {"10:15", "Invalid time string: 10:15"},
        {"1:15:30Z", "Invalid time string: 1:15:30Z"},
        {"10:15:30.", "Invalid time string: 10:15:30."},
        {"10:15:30.Z", "Invalid time string: 10:15:30.Z"},
        {"10:15:30+3:00", "Hour Offset portion of time invalid"},
        {"10:15:30+03", "Hour Offset portion of time invalid"},
        {"10:15:30+03:3", "Hour Offset portion of time invalid"},
        {"10:15:30.5-03:x0", "Hour Offset portion of time invalid"},
        {"10:15:30+03:60", "Hour Offset portion of time invalid"},
    };
    for (const Case& c : cases) {
        TXSPBaseTime time;
        EXPECT_EQ(XsMessageOf([&] { time.Parse(c.text); }), c.message) << c.text;
    }
}

TEST(XSPBaseDate, ParsesCenturyYearAndSignAndPrintsThemBack) {
    struct Case {
        std::string text;
        unsigned century;
        int year, month, day;
        bool negative;
        long long signedYear;
    };
    const std::vector<Case> cases = {
        {"2024-03-05", 0, 2024, 3, 5, false, 2024},
        {"12024-05-06", 1, 2024, 5, 6, false, 12024},
        {"987650001-12-31", 98765, 1, 12, 31, false, 987650001},
        {"-0044-03-15", 0, 44, 3, 15, true, -44},
        {"-12024-05-06", 1, 2024, 5, 6, true, -12024},
        {"0001-01-01", 0, 1, 1, 1, false, 1},
        {"2024-13-32", 0, 2024, 13, 32, false, 2024},  // ranges are left to the date-time value
    };
    for (const Case& c : cases) {
        TXSPBaseDate date;
        date.Parse(c.text);
        EXPECT_EQ(date.Century, c.century) << c.text;
        EXPECT_EQ(date.Year, c.year) << c.text;
        EXPECT_EQ(date.Month, c.month) << c.text;
        EXPECT_EQ(date.Day, c.day) << c.text;
        EXPECT_EQ(date.NegativeYear, c.negative) << c.text;
        EXPECT_EQ(date.SignedYear(), c.signedYear) << c.text;
        EXPECT_EQ(date.Print(), c.text);
    }
}

TEST(XSPBaseDate, RejectsTextsOutOfShape) {
    for (const char* text : {"2024-3-05", "x024-03-05", "2024-03", "", "-", "1a2024-05-06", "2024-03-0x",
                             "2024x05y06", "2024-05-06garbage", "2024-05-06 ", "2024-05-06Z", "12024-05-06-",
                             "2024-05-06T10:00:00", "-2024/05/06"}) {
        TXSPBaseDate date;
        EXPECT_EQ(XsMessageOf([&] { date.Parse(text); }), std::string("Invalid date string: ") + text);
    }
}

TEST(XSPBaseCustomDateTime, RoundTripsWithAndWithoutTime) {
    for (const char* text : {"2024-03-05T10:15:30.5+03:00", "2024-03-05T10:15:30Z", "2024-03-05",
                             "12024-05-06", "-0044-03-15T00:00:00-00:30"}) {
        TXSPBaseDateTime value;
        value.Parse(text);
        EXPECT_EQ(value.Print(), text);
    }
    TXSPBaseDateTime noZone;
    noZone.Parse("2024-03-05T10:15:30");
    EXPECT_EQ(noZone.Print(), "2024-03-05T10:15:30Z");
}

TEST(XSPBaseCustomDateTime, ADateWithoutTimeHasZeroTimeFields) {
    TXSPBaseDateTime value;
    value.Parse("2024-03-05T10:15:30.5+03:00");
    value.Parse("2024-03-06");
    EXPECT_FALSE(value.HasTime());
    EXPECT_EQ(value.Time().Print(), "00:00:00Z");
    EXPECT_EQ(Show(value.AsUTCDateTime()), "2024-03-06 00:00:00");
}

TEST(XSPBaseCustomDateTime, ADateAloneMayEndInTheUtcZoneOnly) {
    TXSPBaseDateTime value;
    value.Parse("2024-03-05Z");
    EXPECT_EQ(value.Print(), "2024-03-05");
    EXPECT_EQ(Show(value.AsUTCDateTime()), "2024-03-05 00:00:00");
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"2024-03-05+03:00", "Invalid date string: 2024-03-05+03:00"},
        {"2024-03-05ZT10:00:00Z", "Invalid date string: 2024-03-05Z"},
        {"2024-03-05 T10:00:00", "Invalid date string: 2024-03-05 "},
        {"2024x03-05T10:00:00", "Invalid date string: 2024x03-05"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XsMessageOf([&] { value.Parse(c.text); }), c.message) << c.text;
    }
    EXPECT_EQ(value.Print(), "2024-03-05");
}

// Fields are range-checked when the value is read, not when it is parsed; reading any of these
// raises the platform's conversion error.
TEST(XSPBaseCustomDateTime, FieldsOutOfRangeAreRefusedWhenRead) {
    for (const char* text : {"2024-00-05", "2024-99-05", "2024-05-00", "2024-05-99", "2024-05-06T24:00:00",
                             "2024-05-06T99:00:00", "2024-05-06T10:60:00", "2024-05-06T10:99:00",
                             "2024-05-06T10:00:60", "2024-05-06T10:00:99Z"}) {
        TXSPBaseDateTime value;
        value.Parse(text);
        EXPECT_THROW(value.AsUTCDateTime(), EConvertError) << text;
        EXPECT_THROW(value.AsDateTime(), EConvertError) << text;
    }
    for (const char* text : {"25:00:00", "99:99:99", "10:60:00", "10:00:60"}) {
        TXSPTime time;
        time.ParseXS(text);
        EXPECT_THROW(time.AsTime(), EConvertError) << text;
    }
}

TEST(XSPBaseCustomDateTime, AFailedParseKeepsThePreviousValue) {
    TXSPBaseDateTime value;
    value.Parse("2024-03-05T10:15:30Z");
    EXPECT_THROW(value.Parse("2024-03-06T10:1x:30Z"), EXSDateTimeException);
    EXPECT_EQ(value.Print(), "2024-03-05T10:15:30Z");
}

TEST(XSPBaseCustomDateTime, UtcReadingMovesTheWallTimeByTheOffset) {
    struct Case {
        std::string text;
        std::string utc;
    };
    const std::vector<Case> cases = {
        {"2024-03-05T10:00:00+03:00", "2024-03-05 07:00:00"},
        {"2024-03-05T10:00:00-01:30", "2024-03-05 11:30:00"},
        {"2024-03-05T10:00:00Z", "2024-03-05 10:00:00"},
        {"2024-03-05T10:00:00", "2024-03-05 10:00:00"},
        {"2024-03-01T01:00:00+03:00", "2024-02-29 22:00:00"},
        {"2023-12-31T23:30:00-00:45", "2024-01-01 00:15:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(XMLTimeToDateTime(c.text, true)), c.utc) << c.text;
    }
}

TEST(XSPBaseCustomDateTime, AdjustCarriesOneStepEitherWay) {
    TXSPBaseDateTime forward;
    forward.Parse("2024-12-31T23:59:00Z");
    forward.Time().Minute = 60;
    forward.AdjustDateTime(1);
    EXPECT_EQ(forward.Print(), "2025-01-01T00:00:00Z");
    EXPECT_EQ(forward.Date().AdjustMargin, 0);

    TXSPBaseDateTime back;
    back.Parse("2024-03-01");
    back.Date().Day = 0;
    back.AdjustDateTime(-1);
    EXPECT_EQ(back.Print(), "2024-02-29");
}

// Whatever the fields hold, a step either gives a date or raises; it never looks up the length of a
// month that does not exist.
TEST(XSPBaseCustomDateTime, AdjustCopesWithAnyFieldValues) {
    struct Case {
        std::string text;
        std::function<void(TXSPBaseDateTime&)> poke;
        int direction;
        std::string result;  // the printed value, or the message raised
    };
    const auto none = [](TXSPBaseDateTime&) {};
    const std::vector<Case> cases = {
        {"2024-25-01", none, 1, "2026-01-01"},
        {"2024-13-31", none, 1, "2025-01-31"},
        {"2024-26-01", none, 1, "Invalid month: 14"},
        {"2024-99-99", none, 1, "Invalid month: 87"},
        {"2024-00-40", none, 1, "2024-00-40"},
        {"2024-14-00", none, -1, "Invalid month: 13"},
        {"2024-99-00", none, -1, "Invalid month: 98"},
        {"2024-00-00", none, -1, "2023-11-30"},
        {"2024-05-06T99:99:00", none, 1, "2024-05-07T76:39:00Z"},
        {"2024-05-31T23:00:00", [](TXSPBaseDateTime& d) { d.Time().Minute = 60; }, 1, "2024-06-01T00:00:00Z"},
        {"2024-05-06", [](TXSPBaseDateTime& d) { d.Date().Month = 65535; }, 1, "Invalid month: 65523"},
        {"2024-05-06", [](TXSPBaseDateTime& d) { d.Date().Month = 65535, d.Date().Day = 0; }, -1,
         "Invalid month: 65534"},
        {"2024-05-06", [](TXSPBaseDateTime& d) { d.Date().Day = 65535; }, 1, "Invalid day: 65504"},
        {"2024-05-06T23:00:00Z", [](TXSPBaseDateTime& d) { d.Date().Day = 65535, d.Time().Hour = 65535; }, 1,
         "Invalid day: 65536"},
        // Years beyond the range of an int keep their century.
        {"99999999999-12-31T23:59:00Z", [](TXSPBaseDateTime& d) { d.Time().Minute = 60; }, 1,
         "100000000000-01-01T00:00:00Z"},
        {"-99999999999-01-00", none, -1, "-100000000000-12-31"},
    };
    for (const Case& c : cases) {
        TXSPBaseDateTime value;
        value.Parse(c.text);
        c.poke(value);
        std::string message = XsMessageOf([&] { value.AdjustDateTime(c.direction); });
        EXPECT_EQ(message == "no EXSDateTimeException" ? value.Print() : message, c.result) << c.text;
        EXPECT_EQ(value.Date().AdjustMargin, 0) << c.text;
    }
}

TEST(XSPBaseDate, AdjustMarginWidensMonthAndDayByOne) {
    TXSPBaseDate date;
    EXPECT_THROW(date.SetMonth(13), EXSDateTimeException);
    EXPECT_THROW(date.SetDay(0), EXSDateTimeException);
    date.AdjustMargin = 1;
    date.SetMonth(13);
    date.SetDay(0);
    EXPECT_EQ(date.Month, 13);
    EXPECT_EQ(date.Day, 0);
    EXPECT_THROW(date.SetMonth(14), EXSDateTimeException);
    EXPECT_THROW(date.SetDay(33), EXSDateTimeException);
}

TEST(XSPDateTime, EverySetterRejectsValuesOutOfRangeAndKeepsTheText) {
    struct Case {
        std::string field;
        std::function<void(TXSPDateTime&)> set;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"hour 24", [](TXSPDateTime& d) { d.SetHour(24); }, "Invalid hour: 24"},
        {"hour -1", [](TXSPDateTime& d) { d.SetHour(-1); }, "Invalid hour: -1"},
        {"minute 60", [](TXSPDateTime& d) { d.SetMinute(60); }, "Invalid minute: 60"},
        {"second 60", [](TXSPDateTime& d) { d.SetSecond(60); }, "Invalid second: 60"},
        {"millisecond 1000", [](TXSPDateTime& d) { d.SetMillisecond(1000); }, "Invalid millisecond: 1000"},
        {"millisecond -1", [](TXSPDateTime& d) { d.SetMillisecond(-1); }, "Invalid millisecond: -1"},
        {"hour offset 13", [](TXSPDateTime& d) { d.SetHourOffset(13); }, "Invalid hour offset: 13"},
        {"hour offset -13", [](TXSPDateTime& d) { d.SetHourOffset(-13); }, "Invalid hour offset: -13"},
        {"minute offset 60", [](TXSPDateTime& d) { d.SetMinuteOffset(60); }, "Invalid minute: 60"},
        {"minute offset -60", [](TXSPDateTime& d) { d.SetMinuteOffset(-60); }, "Invalid minute: -60"},
        {"month 0", [](TXSPDateTime& d) { d.SetMonth(0); }, "Invalid month: 0"},
        {"month 13", [](TXSPDateTime& d) { d.SetMonth(13); }, "Invalid month: 13"},
        {"day 0", [](TXSPDateTime& d) { d.SetDay(0); }, "Invalid day: 0"},
        {"day 32", [](TXSPDateTime& d) { d.SetDay(32); }, "Invalid day: 32"},
    };
    for (const Case& c : cases) {
        TXSPDateTime value;
        value.ParseXS("2024-03-05T10:15:30Z");
        EXPECT_EQ(XsMessageOf([&] { c.set(value); }), c.message) << c.field;
        EXPECT_EQ(value.PrintXS(), "2024-03-05T10:15:30Z") << c.field;
    }
}

struct SetterCase {
    std::function<void(TXSPDateTime&)> set;
    std::string printed;
};

std::string PrintedAfterSetting(const std::string& text, const SetterCase& c) {
    TXSPDateTime value;
    value.ParseXS(text);
    c.set(value);
    return value.PrintXS();
}

TEST(XSPDateTime, SettersAcceptTheirWholeRangeAndStoreThePrintedText) {
    const std::vector<SetterCase> cases = {
        {[](TXSPDateTime& d) { d.SetHour(23); }, "2024-03-05T23:15:30Z"},
        {[](TXSPDateTime& d) { d.SetHour(0); }, "2024-03-05T00:15:30Z"},
        {[](TXSPDateTime& d) { d.SetMinute(59); }, "2024-03-05T10:59:30Z"},
        {[](TXSPDateTime& d) { d.SetSecond(0); }, "2024-03-05T10:15:00Z"},
        {[](TXSPDateTime& d) { d.SetMillisecond(7); }, "2024-03-05T10:15:30.007Z"},
        {[](TXSPDateTime& d) { d.SetMillisecond(999); }, "2024-03-05T10:15:30.999Z"},
        {[](TXSPDateTime& d) { d.SetHourOffset(12); }, "2024-03-05T10:15:30+12:00"},
        {[](TXSPDateTime& d) { d.SetHourOffset(-5); }, "2024-03-05T10:15:30-05:00"},
        {[](TXSPDateTime& d) { d.SetHourOffset(-5), d.SetMinuteOffset(-30); }, "2024-03-05T10:15:30-05:30"},
        {[](TXSPDateTime& d) { d.SetMinuteOffset(-59); }, "2024-03-05T10:15:30-00:59"},
        {[](TXSPDateTime& d) { d.SetMonth(12); }, "2024-12-05T10:15:30Z"},
        {[](TXSPDateTime& d) { d.SetDay(31); }, "2024-03-31T10:15:30Z"},
        {[](TXSPDateTime& d) { d.SetYear(1999); }, "1999-03-05T10:15:30Z"},
        {[](TXSPDateTime& d) { d.SetYear(12024); }, "12024-03-05T10:15:30Z"},
        {[](TXSPDateTime& d) { d.SetYear(-44); }, "-0044-03-05T10:15:30Z"},
        {[](TXSPDateTime& d) { d.SetYear(-12024); }, "-12024-03-05T10:15:30Z"},
    };
    for (const SetterCase& c : cases) {
        EXPECT_EQ(PrintedAfterSetting("2024-03-05T10:15:30Z", c), c.printed);
    }
}

TEST(XSPDateTime, OffsetSettersGiveTheZoneTheSignOfANonZeroValue) {
    const std::vector<SetterCase> cases = {
        {[](TXSPDateTime& d) { d.SetHourOffset(5); }, "2024-03-05T10:15:30+05:30"},
        {[](TXSPDateTime& d) { d.SetMinuteOffset(45); }, "2024-03-05T10:15:30+03:45"},
        {[](TXSPDateTime& d) { d.SetHourOffset(0); }, "2024-03-05T10:15:30-00:30"},
        {[](TXSPDateTime& d) { d.SetHourOffset(0), d.SetMinuteOffset(0); }, "2024-03-05T10:15:30Z"},
    };
    for (const SetterCase& c : cases) {
        EXPECT_EQ(PrintedAfterSetting("2024-03-05T10:15:30-03:30", c), c.printed);
    }
}

TEST(XSPDateTime, BuildsAValueFieldByFieldFromNothing) {
    TXSPDateTime value;
    value.SetYear(2024);
    EXPECT_EQ(value.PrintXS(), "2024-00-00");
    value.SetMonth(3);
    value.SetDay(5);
    EXPECT_EQ(value.PrintXS(), "2024-03-05");
    value.SetHour(10);
    EXPECT_EQ(value.PrintXS(), "2024-03-05T10:00:00Z");
    EXPECT_EQ(Show(value.AsUTCDateTime()), "2024-03-05 10:00:00");
}

TEST(XSPDateTime, ParseRejectsAnInvalidTextAndKeepsTheOldOne) {
    TXSPDateTime value;
    value.ParseXS("2024-03-05");
    EXPECT_EQ(XsMessageOf([&] { value.ParseXS("2024-03-05T1:00:00"); }), "Invalid time string: 1:00:00");
    EXPECT_EQ(value.PrintXS(), "2024-03-05");
}

TEST(XSPTime, ReadsTheTimeOfDayIgnoringFractionAndZone) {
    TXSPTime time;
    time.ParseXS("10:15:30.999+05:00");
    EXPECT_EQ(time.PrintXS(), "10:15:30.999+05:00");
    EXPECT_EQ(Show(time.AsTime()), "1899-12-30 10:15:30");
    time.ParseXS("10:15:3x");  // stored as given, rejected when read
    EXPECT_EQ(XsMessageOf([&] { time.AsTime(); }), "Invalid time string: 10:15:3x");
    time.ParseXS("24:00:00");
    EXPECT_THROW(time.AsTime(), EConvertError);
}

}  // namespace
