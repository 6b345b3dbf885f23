#include <gtest/gtest.h>

#include "firebird/date_text.h"
#include "platform/rtl/datetime_parse.h"

namespace {
std::string Sep() {
    return std::string(1, FormatSettings().DateSeparator);
}

TEST(DateText, MonthNamesBecomeNumbers) {
    EXPECT_EQ(ReplaceMonthNames("01-FEB-2005"), "01" + Sep() + "02" + Sep() + "2005");
    EXPECT_EQ(ReplaceMonthNames("DEC DEC"), "12 12");
    EXPECT_EQ(ReplaceMonthNames("JAN FEB"), "01 FEB");  // only the first month found is replaced
    EXPECT_EQ(ReplaceMonthNames("01-feb-2005"), "01" + Sep() + "feb" + Sep() + "2005");
}

TEST(DateText, NormalizeReadsTheThreeDateForms) {
    const TDateTime feb1 = EncodeDate(2005, 2, 1);
    const std::string before = FormatSettings().ShortDateFormat;
    EXPECT_EQ(NormalizeDateTimeStr("01-FEB-2005", dtkDate), DateToStr(feb1));
    EXPECT_EQ(NormalizeDateTimeStr("01.02.2005", dtkDate), DateToStr(feb1));
    EXPECT_EQ(NormalizeDateTimeStr("02/01/2005", dtkDate), DateToStr(feb1));
    EXPECT_EQ(NormalizeDateTimeStr("01.02.2005 13:5:7", dtkDateTime),
              DateTimeToStr(feb1 + EncodeTime(13, 5, 7, 0)));
    EXPECT_EQ(NormalizeDateTimeStr("13:5", dtkTime), TimeToStr(EncodeTime(13, 5, 0, 0)));
    EXPECT_EQ(NormalizeDateTimeStr("now", dtkDate), "NOW");
    EXPECT_EQ(NormalizeDateTimeStr("  ", dtkDate), "");
    EXPECT_THROW(NormalizeDateTimeStr("31.02.2005", dtkDate), EConvertError);
    EXPECT_EQ(FormatSettings().ShortDateFormat, before);  // the locale is left as it was
}

TEST(DateText, ByFormatKeywordsAndTimeStamps) {
    EXPECT_DOUBLE_EQ(StrToDateTimeByFormat("2005" + Sep() + "02" + Sep() + "01 10:00", "yyyy/mm/dd"),
                     EncodeDate(2005, 2, 1) + EncodeTime(10, 0, 0, 0));
    EXPECT_THROW(StrToDateTimeByFormat("2005-13-01", "yyyy/mm/dd"), EConvertError);
    for (const char* k : {"NOW", "TODAY", "CURRENT_TIMESTAMP", "NULL", "YESTERDAY"})
        EXPECT_TRUE(IsDateKeyword(k)) << k;
    EXPECT_FALSE(IsDateKeyword("now"));
    EXPECT_FALSE(IsDateKeyword("CURRENT"));

    EXPECT_DOUBLE_EQ(TimeStampToDateTimeEx(MakeTimeStamp(0, 43200000)), 0.5);
    const TTimeStamp stamp = DateTimeToTimeStamp(EncodeDate(2005, 2, 1) + 0.25);
    EXPECT_DOUBLE_EQ(TimeStampToDateTimeEx(MakeTimeStamp(stamp.Date, stamp.Time)),
                     EncodeDate(2005, 2, 1) + 0.25);
    EXPECT_THROW(TimeStampToDateTimeEx(MakeTimeStamp(0, -1)), EConvertError);
}
}  // namespace
