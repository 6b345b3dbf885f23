#include "platform/rtl/inifile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    TIniFile Write(const std::string& text) {
        auto path = (dir_ / "kiosk.ini").string();
        std::ofstream(path, std::ios::binary) << text;
        return TIniFile(path);
    }

    testsupport::TempDir dir_{"ini_test"};
};

TEST_F(IniFileTest, ValueRules) {
    const std::string longValue(3000, 'v');
    std::string longCyrillic;
    for (int i = 0; i < 3000; ++i) longCyrillic += "ж";
    TIniFile ini = Write(
        "[Options]\r\n"
        "  Host =  example.org  \r\n"
        "password=\"  quoted  \"\r\n"
        "single='x'\r\n"
        "unbalanced=\"x\r\n"
        "twice=\"\"a\"\"\r\n"
        "empty=\r\n"
        "eq=a=b=c\r\n"
        "message=Пройдите в кабинет {room}\r\n"
        "long=" +
        longValue +
        "\r\n"
        "longCyrillic=" +
        longCyrillic +
        "\r\n"
        "; comment=1\r\n"
        "[other]\r\n"
        "host=wrong\r\n");
    EXPECT_EQ(ini.ReadString("options", "HOST", "d"), "example.org");
    EXPECT_EQ(ini.ReadString("options", "password", "d"), "  quoted  ");
    EXPECT_EQ(ini.ReadString("options", "single", "d"), "x");
    EXPECT_EQ(ini.ReadString("options", "unbalanced", "d"), "\"x");
    EXPECT_EQ(ini.ReadString("options", "twice", "d"), "\"a\"");
    EXPECT_EQ(ini.ReadString("options", "empty", "d"), "");  // present and empty is not the default
    EXPECT_EQ(ini.ReadString("options", "eq", "d"), "a=b=c");
    EXPECT_EQ(ini.ReadString("options", "message", "d"), "Пройдите в кабинет {room}");
    EXPECT_EQ(ini.ReadString("options", "long", "d").size(), 2047u);
    EXPECT_EQ(ini.ReadString("options", "longCyrillic", "d"),
              longCyrillic.substr(0, 2 * 2047));  // characters, not bytes
    EXPECT_EQ(ini.ReadString("options", "comment", "d"), "d");
    EXPECT_EQ(ini.ReadString("options", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("nosection", "host", "d"), "d");
}

struct IntCase {
    const char* value;
    std::int32_t expected;
};

TEST_F(IniFileTest, ReadIntegerUsesTheIntegerRuleAndFallsBackToTheDefault) {
    const IntCase cases[] = {
        {"42", 42}, {"  -7", -7}, {"0x10", 16}, {"$FF", 255},        {"x1A", 26},
        {"", -1},   {"abc", -1},  {"1.5", -1},  {"99999999999", -1},
    };
    for (const auto& c : cases) {
        TIniFile ini = Write(std::string("[options]\nuser=") + c.value + "\n");
        EXPECT_EQ(ini.ReadInteger("options", "user", -1), c.expected) << c.value;
    }
    EXPECT_EQ(Write("[options]\n").ReadInteger("options", "user", -1), -1);
}

TEST_F(IniFileTest, ReadBool) {
    const std::pair<const char*, bool> cases[] = {
        {"1", true}, {"-1", true}, {"0", false}, {"TRUE", true}, {"false", false}, {"yes", true}, {"", true},
    };
    // Unreadable values give the default, which is true here.
    for (const auto& [value, expected] : cases) {
        TIniFile ini = Write(std::string("[options]\ncheck=") + value + "\n");
        EXPECT_EQ(ini.ReadBool("options", "check", true), expected) << value;
    }
}

TEST_F(IniFileTest, MissingFileGivesDefaults) {
    TIniFile ini((dir_ / "absent.ini").string());
    EXPECT_EQ(ini.ReadString("options", "host", "h"), "h");
    EXPECT_EQ(ini.ReadInteger("options", "timeX", 10), 10);
    EXPECT_FALSE(ini.SectionExists("options"));
}

}  // namespace
