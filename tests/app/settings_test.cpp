#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "api_client/api_client.h"
#include "app/kiosk_settings.h"
#include "app/settings_values.h"
#include "kiosk_fixture.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/inifile.h"
#include "tests/support/temp_dir.h"

namespace {

using json = nlohmann::ordered_json;

TEST(SettingsValues, ParseHtmlColor) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"#FF0000", 0x000000FF},  {"00FF00", 0x0000FF00},  {"#00FF00", 0x0000FF00},
        {"##0000FF", 0x00FF0000}, {"#0F0", 0xFF000009},    {"", 0xFF000009},
        {"#", 0xFF000009},        {"1234567", 0xFF000009}, {"abcdef", 0x00EFCDAB},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseHtmlColor(text), expected) << text;
    EXPECT_THROW(ParseHtmlColor("ЖЖЖЖЖЖ"), EConvertError);  // six characters, none hexadecimal
    try {
        ParseHtmlColor("GG0000");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'$000000GG' is not a valid integer value");
    }
}

TEST(SettingsValues, StripHashAndGroupIds) {
    EXPECT_EQ(StripHash("#a#b"), "ab");
    EXPECT_EQ(StripHash("a#b"), "a#b");
    EXPECT_EQ(StripHash(""), "");
    EXPECT_EQ(UserGroupIdsText("[1,2],[3]"), "[1,2,3]");
    EXPECT_EQ(UserGroupIdsText(""), "[]");
    EXPECT_EQ(ParseUserGroupIds("[1, 2,3]"), json({1, 2, 3}));
    EXPECT_EQ(ParseUserGroupIds("[/* none */]"), json::array());  // read leniently
    EXPECT_TRUE(ParseUserGroupIds("[1,,{]").is_null());
}

// The settings read from a file alone: no window is made.
class KioskSettingsTest : public ::testing::Test {
  protected:
    // The settings file: "[options]" and the given lines.
    TIniFile File(const std::string& lines) const {
        std::ofstream((dir_ / "kiosk.ini").string(), std::ios::binary) << "[options]\r\n" << lines;
        return TIniFile((dir_ / "kiosk.ini").string());
    }
    TKioskSettings Read(const std::string& lines) const { return ReadKioskSettings(File(lines)); }

    testsupport::TempDir dir_{"kiosk_settings"};
};

TEST_F(KioskSettingsTest, MissingFileOrKeysGiveTheDefaults) {
    const TKioskSettings fromMissingFile = ReadKioskSettings(TIniFile((dir_ / "none.ini").string()));
    const TKioskSettings fromEmptySection = Read("");
    for (const TKioskSettings& s : {fromMissingFile, fromEmptySection}) {
        EXPECT_EQ(s.Splash, "");
        EXPECT_EQ(s.UserId, -1);
        EXPECT_EQ(s.Password, "");
        EXPECT_EQ(s.Host, "");
        EXPECT_EQ(s.ClinicId, 0);
        EXPECT_EQ(s.InfoPosition, 0);
        EXPECT_EQ(ParseUserGroupIds(s.CheckUserGroupIds), json::array());
        EXPECT_FALSE(s.CheckTime || s.CheckLab || s.CheckDocument || s.CheckSocialStatus ||
                     s.CheckBirthplaces || s.CheckRoom || s.CheckOkato || s.CheckSmo || s.CheckEnp ||
                     s.CheckOmsNumber || s.CheckAreaMo);
        EXPECT_EQ(s.CheckVisitAfter, 0);
        EXPECT_EQ(s.CheckRegion, 0);
        EXPECT_EQ(s.MessageTemplate, "Пройдите в кабинет {room}");
        EXPECT_EQ(s.TimeTemplate, "dddd dd.mm.yyyy hh:mm");
        EXPECT_EQ(s.TimeX, 10);
        EXPECT_EQ(s.TimeY, 180);
        EXPECT_EQ(s.ReturnInterval, 10000u);
        EXPECT_EQ(s.TimeFontName, "Verdana");
        EXPECT_EQ(s.TimeFontSize, 16);
        EXPECT_EQ(s.TimeFontColor, 0x000000FFu);
    }
    EXPECT_EQ(fromMissingFile, fromEmptySection);
}

// Every key lands in its own member: a file that sets each one away from its default.
TEST_F(KioskSettingsTest, EveryKeyReachesItsOwnMember) {
    const TKioskSettings s = Read(
        "splash=/pictures/a.jpg\r\nuser=12\r\npassword=pw\r\nhost=mis.example:8443\r\nclinic_id=3\r\n"
        "info_position=2\r\ncheckUserGroupIds=4, 5\r\ncheckTime=1\r\ncheckLab=True\r\ncheckVisitAfter=7\r\n"
        "checkDocument=1\r\ncheckSocialStatus=1\r\ncheckBirthplaces=1\r\ncheckRegion=77\r\ncheckRoom=1\r\n"
        "checkOkato=1\r\ncheckSmo=1\r\ncheckEnp=1\r\ncheckOmsNumber=1\r\ncheckAreaMo=1\r\n"
        "messageTemplate=Кабинет {room}\r\ntimeTemplate=hh:nn\r\ntimeX=25\r\ntimeY=30\r\nmessageTimeout=4\r\n"
        "timeFontName=Arial\r\ntimeFontSize=20\r\ntimeFontColor=#00FF00\r\n");
    TKioskSettings expected;
    expected.Splash = "/pictures/a.jpg";
    expected.UserId = 12;
    expected.Password = "pw";
    expected.Host = "mis.example:8443";
    expected.ClinicId = 3;
    expected.InfoPosition = 2;
    expected.CheckUserGroupIds = "[4, 5]";
    expected.CheckTime = expected.CheckLab = expected.CheckDocument = expected.CheckSocialStatus = true;
    expected.CheckBirthplaces = expected.CheckRoom = expected.CheckOkato = expected.CheckSmo = true;
    expected.CheckEnp = expected.CheckOmsNumber = expected.CheckAreaMo = true;
    expected.CheckVisitAfter = 7;
    expected.CheckRegion = 77;
    expected.MessageTemplate = "Кабинет {room}";
    expected.TimeTemplate = "hh:nn";
    expected.TimeX = 25;
    expected.TimeY = 30;
    expected.ReturnInterval = 4000;
    expected.TimeFontName = "Arial";
    expected.TimeFontSize = 20;
    expected.TimeFontColor = 0x0000FF00;
    EXPECT_EQ(s, expected);
}

TEST_F(KioskSettingsTest, ValueRules) {
    const struct {
        const char* line;
        std::function<void(const TKioskSettings&)> check;
    } cases[] = {
        {"timeFontColor=00FF00", [](const auto& s) { EXPECT_EQ(s.TimeFontColor, 0x0000FF00u); }},
        {"timeFontColor=#00FF00", [](const auto& s) { EXPECT_EQ(s.TimeFontColor, 0x0000FF00u); }},
        {"timeFontColor=#0F0", [](const auto& s) { EXPECT_EQ(s.TimeFontColor, 0xFF000009u); }},
        {"timeFontColor=", [](const auto& s) { EXPECT_EQ(s.TimeFontColor, 0xFF000009u); }},
        {"checkTime=1", [](const auto& s) { EXPECT_TRUE(s.CheckTime); }},
        {"checkTime=-1", [](const auto& s) { EXPECT_TRUE(s.CheckTime); }},
        {"checkTime=TRUE", [](const auto& s) { EXPECT_TRUE(s.CheckTime); }},
        {"checkTime=yes", [](const auto& s) { EXPECT_FALSE(s.CheckTime); }},
        {"checkTime=", [](const auto& s) { EXPECT_FALSE(s.CheckTime); }},
        {"user=0x10", [](const auto& s) { EXPECT_EQ(s.UserId, 16); }},
        {"user=abc", [](const auto& s) { EXPECT_EQ(s.UserId, -1); }},
        {"user=  $1F", [](const auto& s) { EXPECT_EQ(s.UserId, 31); }},
        {"checkUserGroupIds=[1,2],[3]",
         [](const auto& s) {
             EXPECT_EQ(ParseUserGroupIds(s.CheckUserGroupIds), json({1, 2, 3}));
         }},
        {"checkUserGroupIds=",
         [](const auto& s) { EXPECT_EQ(ParseUserGroupIds(s.CheckUserGroupIds), json::array()); }},
        {"checkUserGroupIds=1, 2, 3",
         [](const auto& s) {
             EXPECT_EQ(ParseUserGroupIds(s.CheckUserGroupIds), json({1, 2, 3}));
         }},
        {"checkUserGroupIds=1,,{",
         [](const auto& s) { EXPECT_TRUE(ParseUserGroupIds(s.CheckUserGroupIds).is_null()); }},
        {"messageTimeout=0", [](const auto& s) { EXPECT_EQ(s.ReturnInterval, 0u); }},
        {"messageTimeout=3", [](const auto& s) { EXPECT_EQ(s.ReturnInterval, 3000u); }},
        // A negative time counts as 0 (never fires); one past the timer's range is capped, not wrapped.
        {"messageTimeout=-5", [](const auto& s) { EXPECT_EQ(s.ReturnInterval, 0u); }},
        {"messageTimeout=5000000", [](const auto& s) { EXPECT_EQ(s.ReturnInterval, UINT32_MAX); }},
        {"messageTemplate=", [](const auto& s) { EXPECT_EQ(s.MessageTemplate, ""); }},
        {"password=\"  s p  \"", [](const auto& s) { EXPECT_EQ(s.Password, "  s p  "); }},
        {"splash=   ", [](const auto& s) { EXPECT_EQ(s.Splash, ""); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        c.check(Read(std::string(c.line) + "\r\n"));
    }
}

// The colour is read last: its failure leaves every other value read, and the colour black.
TEST_F(KioskSettingsTest, BadClockColourRaisesWithTheOtherValuesRead) {
    const TIniFile ini = File(
        "host=example.org\r\ntimeX=25\r\nmessageTimeout=3\r\ntimeFontSize=30\r\n"
        "timeFontColor=GG0000\r\n");
    TKioskSettings s;
    try {
        ReadKioskSettings(ini, s);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'$000000GG' is not a valid integer value");
    }
    EXPECT_EQ(s.Host, "example.org");
    EXPECT_EQ(s.TimeX, 25);
    EXPECT_EQ(s.ReturnInterval, 3000u);
    EXPECT_EQ(s.TimeFontSize, 30);
    EXPECT_EQ(s.TimeFontColor, 0u);
    EXPECT_THROW(ReadKioskSettings(ini), EConvertError);
}

// The window applies what it read: the host to the API client, the time-out to the return timer.
TEST_F(KioskTest, FormAppliesItsSettings) {
    WriteSettings("host=mis.example:8443\r\nmessageTimeout=3\r\ntimeX=40\r\n");
    TMainForm* form = CreateForm();
    EXPECT_EQ(DefaultApiClient().BaseUrl(), "https://mis.example:8443/rest/v2");
    EXPECT_EQ(form->ReturnTimer->Interval(), 3000u);
    EXPECT_EQ(form->Settings().TimeX, 40);
    EXPECT_TRUE(ui().System().MessageBoxes().empty());
}

TEST_F(KioskTest, BadClockColourIsReportedAndTheWindowStillComesUp) {
    WriteSettings("host=example.org\r\ntimeX=25\r\nmessageTimeout=2\r\ntimeFontColor=GG0000\r\nsplash=" +
                  (dir() / "missing.bmp").string() + "\r\n");
    TMainForm* form = CreateAndShow();
    ASSERT_EQ(ui().System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui().System().MessageBoxes()[0].Text, "'$000000GG' is not a valid integer value.");
    EXPECT_EQ(form->Settings().TimeFontColor, 0u);  // kept black
    EXPECT_EQ(form->Settings().TimeX, 25);          // read before the failure
    EXPECT_EQ(form->Settings().Host, "example.org");
    // What was read before the failure is in force.
    EXPECT_EQ(DefaultApiClient().BaseUrl(), "https://example.org/rest/v2");
    EXPECT_EQ(form->ReturnTimer->Interval(), 2000u);
    // The resize of the placement still puts the tap buttons at the edges.
    EXPECT_EQ(form->btExit2->Left(), 1280 - 41);
}

TEST_F(KioskTest, SplashPictureReplacesTheBackground) {
    // A 2 x 3 BMP written by the platform's own bitmap.
    TBitmap bmp;
    bmp.SetSize(2, 3);
    const std::string splash = (dir() / "splash.bmp").string();
    bmp.SaveToFile(splash);
    WriteSettings("splash=" + splash + "\r\n");
    TMainForm* form = CreateForm();
    EXPECT_EQ(form->Image1->Picture()->Width(), 2);
    EXPECT_EQ(form->Image1->Picture()->Height(), 3);
}

TEST_F(KioskTest, SplashThatNamesNoFileKeepsTheBuiltInPicture) {
    for (const char* line : {"splash=   ", "splash=/no/such/picture.jpg"}) {
        SCOPED_TRACE(line);
        WriteSettings(std::string(line) + "\r\n");
        TMainForm* form = CreateForm();
        EXPECT_EQ(form->Image1->Picture()->Width(), 1280);
        EXPECT_TRUE(ui().System().MessageBoxes().empty());
        Application->DestroyForms();
    }
}

TEST_F(KioskTest, SplashWithAnUnknownExtensionKeepsTheBuiltInPicture) {
    const std::string splash = (dir() / "splash.gif").string();
    std::ofstream(splash) << "GIF89a";
    WriteSettings("splash=" + splash + "\r\n");
    TMainForm* form = CreateForm();
    ASSERT_EQ(ui().System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui().System().MessageBoxes()[0].Text, "Unknown picture file extension (.gif)");
    EXPECT_EQ(form->Image1->Picture()->Width(), 1280);
}

TEST_F(KioskTest, StartLineReachesTheLogFile) {
    CreateForm();
    std::ifstream log(LogDir() / "app_applog.log");
    std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(" info [TMainForm] ("), std::string::npos) << text;
    EXPECT_NE(text.find(" - Start application"), std::string::npos) << text;
}

}  // namespace
