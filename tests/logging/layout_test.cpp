#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "logging/html_layout.h"
#include "logging/log_event.h"
#include "logging/log_ndc.h"
#include "logging/log_process_info.h"
#include "logging/pattern_layout.h"
#include "logging/pattern_modifier.h"
#include "logging/simple_layout.h"
#include "platform/os/sysinfo.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/strings.h"
#include "tests/logging/logging_fixture.h"

namespace {

class LayoutTest : public LoggingTest {
  protected:
    std::string FormatWith(ILogLayout& layout, const TLogLevel* level, std::string_view message,
                           const std::exception* error = nullptr) {
        TLogEvent event(level, TLogLogger::GetLogger(loggerName_), message, error);
        return layout.Format(event);
    }
    std::string loggerName_ = "RestV2";
};

TEST_F(LayoutTest, SimpleLayoutWritesLevelDashMessage) {
    TLogSimpleLayout layout;
    EXPECT_EQ(FormatWith(layout, TLogLevel::Warn(), "Disk low"), "warn - Disk low\r\n");
    EXPECT_EQ(layout.GetContentType(), "text/plain");
    EXPECT_EQ(layout.GetHeader(), "");
    EXPECT_TRUE(layout.IgnoresException());
}

TEST_F(LayoutTest, DefaultPatternWritesTheKiosksStartLine) {
    TLogPatternLayout layout;
    layout.SetOption("dateFormat", "yyyy-mm-dd hh:nn:ss.zzz");
    layout.SetOption("pattern", "%d %p [%c] (%h:%w:%a:%t) - %m%n");
    clock_.Advance(45);
    loggerName_ = "TMainForm";

    const std::string line = FormatWith(layout, TLogLevel::Info(), "Start application");

    const TLogProcessInfo& info = LogProcessInfo();
    EXPECT_EQ(line, "2023-11-14 22:13:20.045 info [TMainForm] (" + info.ComputerName + ":" + info.UserName +
                        ":" + "logging_tests:" + IntToStr(GetCurrentThreadId()) +
                        ") - Start application\r\n");
}

struct PatternCase {
    const char* Pattern;
    const char* Message;
    const char* Expected;
};

TEST_F(LayoutTest, PatternLettersAndModifiers) {
    const PatternCase cases[] = {
        {"%-5p|%m", "Hello", "info |Hello"},
        {"%5.2p", "Hello", "   in"},
        {"%-8.3p!", "Hello", "inf     !"},
        {"%.3c", "Hello", "Res"},
        {"[%10c]", "Hello", "[    RestV2]"},
        {"[%-10c]", "Hello", "[RestV2    ]"},
        {"text before %", "Hello", "text before Hello"},
        {"%q %m", "Hello", "%m"},
        {"100%% %m", "Hello", "100% Hello"},
        {"%C %F %l %M %L", "Hello", "Unknown Unknown Unknown Unknown Unknown"},
        {"%3n|%5%", "Hello", "\r\n|%"},
        {"<%e>", "Hello", "<>"},
        {"%.3m|%8m|%-8m|", "Привет", "При|  Привет|Привет  |"},
        {"plain text", "Hello", "plain text"},
    };
    for (const auto& c : cases) {
        TLogPatternLayout layout(c.Pattern);
        EXPECT_EQ(FormatWith(layout, TLogLevel::Info(), c.Message), c.Expected) << c.Pattern;
    }
}

TEST_F(LayoutTest, PatternIsCompiledIntoPartsWhenSet) {
    TLogPatternLayout layout("%-5p|%m%n%h");
    const std::vector<std::pair<std::string, int>> expected{
        {"%-5s", pkLevel}, {"|", pkLiteral}, {"%s", pkMessage}, {"%s", pkNewLine}, {"%h", pkComputerName}};
    std::vector<std::pair<std::string, int>> parts;
    for (const auto& p : layout.Parts()) parts.emplace_back(p.Text, p.Kind);
    EXPECT_EQ(parts, expected);

    layout.SetOption("pattern", "");  // an empty pattern keeps the old one
    EXPECT_EQ(layout.Pattern(), "%-5p|%m%n%h");
}

TEST_F(LayoutTest, ThreadIdElapsedTimeAndContextLetters) {
    TLogPatternLayout layout("%t|%.12t|%x");
    TLogNDC::Push("ticket 5");
    const std::string line = FormatWith(layout, TLogLevel::Info(), "m");
    TLogNDC::Clear();
    const std::string tid = IntToStr(GetCurrentThreadId());
    EXPECT_EQ(line, tid + "|" + std::string(12 - tid.size(), '0') + tid + "|ticket 5");

    TLogPatternLayout elapsed("%r");
    const std::int64_t first = std::stoll(FormatWith(elapsed, TLogLevel::Info(), "m"));
    clock_.Advance(1500);
    EXPECT_EQ(std::stoll(FormatWith(elapsed, TLogLevel::Info(), "m")), first + 1500);
}

TEST_F(LayoutTest, DateIsTheEventsTimeStampInTheDateFormatOrTheShortDate) {
    TLogPatternLayout layout("%d|%5d");
    const TDateTime made = Now();
    TLogEvent event(TLogLevel::Info(), TLogLogger::GetLogger("late"), "m");
    clock_.Advance(86400000 + 1234);  // formatted a day later: the line still shows when it happened

    EXPECT_EQ(layout.Format(event), DateToStr(made) + "|" + DateToStr(made));
    layout.SetOption("dateFormat", "yyyy-mm-dd hh:nn:ss.zzz");
    EXPECT_EQ(layout.Format(event), "2023-11-14 22:13:20.000|2023-11-14 22:13:20.000");
}

// Events of one millisecond share the work of finding its local time, but not across a change of zone.
TEST_F(LayoutTest, EventTimeFollowsAZoneSetWithinOneMillisecond) {
    TLogPatternLayout layout("%d");
    layout.SetOption("dateFormat", "hh:nn");
    const std::string utc = FormatWith(layout, TLogLevel::Info(), "m");
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const std::string berlin = FormatWith(layout, TLogLevel::Info(), "m");
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(utc, "22:13");
    EXPECT_EQ(berlin, "23:13");
    EXPECT_EQ(FormatWith(layout, TLogLevel::Info(), "m"), "22:13");
}

TEST_F(LayoutTest, ModifiersThatAreNotPlainGoToFormatAndFailThere) {
    TLogPatternLayout layout("%*p");
    EXPECT_THROW(FormatWith(layout, TLogLevel::Info(), "m"), EConvertError);
    TLogPatternLayout indexed("%0:-6p|");
    EXPECT_EQ(FormatWith(indexed, TLogLevel::Info(), "m"), "info  |");
}

// A width or precision from a configuration file is cut to MaxPatternWidth, so a typo such as
// "%999999999m" gives lines of a few thousand characters rather than a gigabyte each.
TEST_F(LayoutTest, HugeWidthsAndPrecisionsAreCutToTheCap) {
    const std::string tid = IntToStr(GetCurrentThreadId());
    const auto pad = [](std::size_t used) { return std::string(MaxPatternWidth - used, ' '); };
    const std::vector<std::pair<const char*, std::string>> cases{
        {"%999999999m", pad(5) + "Hello"},
        {"%-999999999m|", "Hello" + pad(5) + "|"},
        {"%99999999999999999999m", pad(5) + "Hello"},  // beyond any integer type
        {"%4097m", pad(5) + "Hello"},
        {"%4096m", pad(5) + "Hello"},
        {"%4095m", std::string(4090, ' ') + "Hello"},
        {"%.999999999m", "Hello"},
        {"%.999999999t", std::string(MaxPatternWidth - tid.size(), '0') + tid},
        {"%0:999999999p", pad(4) + "info"},  // handed to Format: cut the same way
        {"%0:.999999999p", "info"},
    };
    for (const auto& [pattern, expected] : cases) {
        TLogPatternLayout layout(pattern);
        EXPECT_EQ(FormatWith(layout, TLogLevel::Info(), "Hello"), expected) << pattern;
    }
}

const char* const HtmlHeader =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
    "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n"
    "<html>\r\n<head>\r\n<title>Kiosk &amp; co</title>\r\n<style type=\"text/css\">\r\n<!--\r\n"
    "body, table {font-family: arial,sans-serif; font-size: x-small;}\r\n"
    "th {background: #336699; color: #FFFFFF; text-align: left;}\r\n-->\r\n</style>\r\n</head>\r\n"
    "<body bgcolor=\"#FFFFFF\" topmargin=\"6\" leftmargin=\"6\">\r\n<hr size=\"1\" noshade>\r\n"
    "Log session start time ";

TEST_F(LayoutTest, HtmlHeaderAndFooter) {
    TLogHTMLLayout layout;
    layout.SetOption("title", "Kiosk & co");
    EXPECT_EQ(layout.GetHeader(), std::string(HtmlHeader) + DateTimeToStr(Now()) + "<br>\r\n<br>\r\n" +
                                      "<table cellspacing=\"0\" cellpadding=\"4\" border=\"1\" "
                                      "bordercolor=\"#224466\" width=\"100%\">\r\n"
                                      "<tr><th>Time</th><th>Thread</th><th>Level</th><th>Logger</th>"
                                      "<th>NDC</th><th>Message</th></tr>\r\n");
    EXPECT_EQ(layout.GetFooter(), "</table>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(layout.GetContentType(), "text/html");
    EXPECT_FALSE(layout.IgnoresException());
}

TEST_F(LayoutTest, HtmlRowsColourTheLevelAndEscapeTheTexts) {
    TLogHTMLLayout layout;
    const std::string tid = IntToStr(GetCurrentThreadId());
    auto prefix = [&](const std::string& line) { return line.substr(line.find("</td><td>") + 9); };

    EXPECT_EQ(prefix(FormatWith(layout, TLogLevel::Debug(), "a<b")),
              tid +
                  "</td><td><font "
                  "color=\"#339933\">debug</font></td><td>RestV2</td><td></td><td>a&lt;b</td></tr>\r\n");
    EXPECT_EQ(
        prefix(FormatWith(layout, TLogLevel::Info(), "\"q\" & 'r'")),
        tid + "</td><td>info</td><td>RestV2</td><td></td><td>&quot;q&quot; &amp; &#39;r&#39;</td></tr>\r\n");

    Exception failure("<script>");
    loggerName_ = "a>b";
    EXPECT_EQ(
        prefix(FormatWith(layout, TLogLevel::Error(), "failed", &failure)),
        tid +
            "</td><td><font color=\"#993300\"><strong>error</strong></font></td><td>a&gt;b</td><td></td>"
            "<td>failed</td></tr>\r\n"
            "<tr><td bgcolor=\"#993300\" style=\"color: White; font-size: xx-small;\" colspan=\"6\">"
            "&lt;script&gt;</td></tr>\r\n");
}

}  // namespace
