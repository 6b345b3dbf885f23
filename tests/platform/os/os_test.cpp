#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/os/clock.h"
#include "platform/os/debug_output.h"
#include "platform/os/guid.h"
#include "platform/os/paths.h"
#include "platform/os/sysinfo.h"

namespace {

TEST(Paths, FileNameParts) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/opt/kiosk/kiosk", ".ini", "/opt/kiosk/kiosk.ini"},
        {"/opt/kiosk/kiosk.exe", ".ini", "/opt/kiosk/kiosk.ini"},
        {"/opt/k.d/kiosk", ".ini", "/opt/k.d/kiosk.ini"},
        {"kiosk.tar.gz", ".ini", "kiosk.tar.ini"},
        {"a.txt", "", "a"},
    };
    for (const auto& [name, ext, expected] : cases) EXPECT_EQ(ChangeFileExt(name, ext), expected) << name;
    EXPECT_EQ(ExtractFilePath("/opt/kiosk/kiosk"), "/opt/kiosk/");
    EXPECT_EQ(ExtractFileName("/opt/kiosk/kiosk"), "kiosk");
    EXPECT_EQ(ExtractFileExt("/a.b/splash.JPG"), ".JPG");
    EXPECT_EQ(ExtractFileExt("/a.b/splash"), "");
    EXPECT_TRUE(FileExists(ExecutablePath()));
    EXPECT_FALSE(FileExists("/"));
    EXPECT_FALSE(FileExists(""));
}

TEST(Guid, RandomAndWellFormed) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        TGUID g = CreateGUID();
        std::string hex = GUIDToHex(g);
        ASSERT_EQ(hex.size(), 32u);
        for (char c : hex) ASSERT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << hex;
        TGUID back;
        ASSERT_TRUE(TryStringToGUID(GUIDToString(g), back));
        EXPECT_EQ(back, g);
        seen.insert(hex);
    }
    EXPECT_EQ(seen.size(), 100u);
    TGUID g;
    EXPECT_FALSE(TryStringToGUID("{not-a-guid}", g));
}

TEST(Clock, ManualClockDrivesTicksAndSleep) {
    platform::ManualClock clock(0, 5000);
    platform::ScopedClock scoped(clock);
    EXPECT_EQ(GetTickCount(), 5000u);
    Sleep(500);  // returns at once, the clock moves
    EXPECT_EQ(GetTickCount64(), 5500u);
    EXPECT_EQ(platform::CurrentClock().UnixMillis(), 500);
}

TEST(SysInfo, NamesAndIds) {
    EXPECT_FALSE(GetComputerName().empty());
    EXPECT_NE(GetCurrentThreadId(), 0u);
    std::uint32_t other = 0;
    std::thread([&] { other = GetCurrentThreadId(); }).join();
    EXPECT_NE(other, GetCurrentThreadId());
    EXPECT_FALSE(OperatingSystemDescription().empty());
}

TEST(DebugOutput, SinkCanBeReplaced) {
    std::string got;
    auto previous = SetDebugOutputSink([&](std::string_view s) { got += s; });
    OutputDebugString("hello");
    SetDebugOutputSink(previous);
    EXPECT_EQ(got, "hello");
}

}  // namespace
