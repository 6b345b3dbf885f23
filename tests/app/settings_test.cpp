#include <gtest/gtest.h>

#include "app/settings_values.h"
#include "kiosk_fixture.h"
#include "platform/rtl/exceptions.h"

namespace {

using json = nlohmann::ordered_json;

TEST(SettingsValues, ParseHtmlColor) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"#FF0000", 0x000000FF}, {"00FF00", 0x0000FF00}, {"#00FF00", 0x0000FF00}, {"##0000FF", 0x00FF0000},
        {"#0F0", 0xFF000009},    {"", 0xFF000009},       {"#", 0xFF000009},        {"1234567", 0xFF000009},
        {"abcdef", 0x00EFCDAB},
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
}

TEST_F(KioskTest, MissingSettingsFileGivesTheDefaults) {
    TMainForm* form = CreateForm();
    EXPECT_EQ(form->UserId(), -1);
    EXPECT_EQ(form->Password(), "");
    EXPECT_EQ(form->Host(), "");
    EXPECT_EQ(form->ClinicId(), 0);
    EXPECT_EQ(form->InfoPosition(), 0);
    EXPECT_EQ(form->CheckUserGroupIds(), json::array());
    EXPECT_FALSE(form->CheckTimeSetting());
    EXPECT_EQ(form->MessageTemplate(), "Пройдите в кабинет {room}");
    EXPECT_EQ(form->TimeTemplate(), "dddd dd.mm.yyyy hh:mm");
    EXPECT_EQ(form->TimeX(), 10);
    EXPECT_EQ(form->TimeY(), 180);
    EXPECT_EQ(form->ReturnTimer->Interval(), 10000u);
    EXPECT_EQ(form->TimeFontName(), "Verdana");
    EXPECT_EQ(form->TimeFontSize(), 16);
    EXPECT_EQ(form->TimeFontColor(), 0x000000FFu);
    EXPECT_TRUE(ui().System().MessageBoxes().empty());
}

TEST_F(KioskTest, SectionWithoutKeysGivesTheDefaults) {
    WriteSettings("");
    TMainForm* form = CreateForm();
    EXPECT_EQ(form->UserId(), -1);
    EXPECT_EQ(form->ReturnTimer->Interval(), 10000u);
    EXPECT_EQ(form->TimeFontColor(), 0x000000FFu);
}

struct SettingCase {
    const char* line;
    std::function<void(TMainForm*)> check;
};

TEST_F(KioskTest, SettingValueRules) {
    const SettingCase cases[] = {
        {"timeFontColor=00FF00", [](TMainForm* f) { EXPECT_EQ(f->TimeFontColor(), 0x0000FF00u); }},
        {"timeFontColor=#00FF00", [](TMainForm* f) { EXPECT_EQ(f->TimeFontColor(), 0x0000FF00u); }},
        {"timeFontColor=#0F0", [](TMainForm* f) { EXPECT_EQ(f->TimeFontColor(), 0xFF000009u); }},
        {"timeFontColor=", [](TMainForm* f) { EXPECT_EQ(f->TimeFontColor(), 0xFF000009u); }},
        {"checkTime=1", [](TMainForm* f) { EXPECT_TRUE(f->CheckTimeSetting()); }},
        {"checkTime=-1", [](TMainForm* f) { EXPECT_TRUE(f->CheckTimeSetting()); }},
        {"checkTime=TRUE", [](TMainForm* f) { EXPECT_TRUE(f->CheckTimeSetting()); }},
        {"checkTime=yes", [](TMainForm* f) { EXPECT_FALSE(f->CheckTimeSetting()); }},
        {"checkTime=", [](TMainForm* f) { EXPECT_FALSE(f->CheckTimeSetting()); }},
        {"user=0x10", [](TMainForm* f) { EXPECT_EQ(f->UserId(), 16); }},
        {"user=abc", [](TMainForm* f) { EXPECT_EQ(f->UserId(), -1); }},
        {"user=  $1F", [](TMainForm* f) { EXPECT_EQ(f->UserId(), 31); }},
        {"checkUserGroupIds=[1,2],[3]", [](TMainForm* f) { EXPECT_EQ(f->CheckUserGroupIds(), json({1, 2, 3})); }},
        {"checkUserGroupIds=", [](TMainForm* f) { EXPECT_EQ(f->CheckUserGroupIds(), json::array()); }},
        {"checkUserGroupIds=1, 2, 3", [](TMainForm* f) { EXPECT_EQ(f->CheckUserGroupIds(), json({1, 2, 3})); }},
        {"checkUserGroupIds=1,,{", [](TMainForm* f) { EXPECT_TRUE(f->CheckUserGroupIds().is_null()); }},
        {"messageTimeout=0", [](TMainForm* f) { EXPECT_EQ(f->ReturnTimer->Interval(), 0u); }},
        {"messageTimeout=3", [](TMainForm* f) { EXPECT_EQ(f->ReturnTimer->Interval(), 3000u); }},
        // A negative time counts as 0 (never fires); one past the timer's range is capped, not wrapped.
        {"messageTimeout=-5", [](TMainForm* f) { EXPECT_EQ(f->ReturnTimer->Interval(), 0u); }},
        {"messageTimeout=5000000", [](TMainForm* f) { EXPECT_EQ(f->ReturnTimer->Interval(), UINT32_MAX); }},
        {"messageTemplate=", [](TMainForm* f) { EXPECT_EQ(f->MessageTemplate(), ""); }},
        {"password=\"  s p  \"", [](TMainForm* f) { EXPECT_EQ(f->Password(), "  s p  "); }},
        {"splash=   ", [](TMainForm* f) { EXPECT_TRUE(f->Image1->Picture()->Width() > 0); }},
        {"splash=/no/such/picture.jpg", [](TMainForm* f) { EXPECT_EQ(f->Image1->Picture()->Width(), 1280); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        WriteSettings(std::string(c.line) + "\r\n");
        TMainForm* form = CreateForm();
        c.check(form);
        EXPECT_TRUE(ui().System().MessageBoxes().empty());
        Application->DestroyForms();
    }
}

TEST_F(KioskTest, BadClockColourIsReportedAndTheWindowStillComesUp) {
    WriteSettings("host=example.org\r\ntimeX=25\r\ntimeFontColor=GG0000\r\nsplash=" +
                  (dir() / "missing.bmp").string() + "\r\n");
    TMainForm* form = CreateAndShow();
    ASSERT_EQ(ui().System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui().System().MessageBoxes()[0].Text, "'$000000GG' is not a valid integer value.");
    EXPECT_EQ(form->TimeFontColor(), 0u);  // kept black
    EXPECT_EQ(form->TimeX(), 25);          // read before the failure
    EXPECT_EQ(form->Host(), "example.org");
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
