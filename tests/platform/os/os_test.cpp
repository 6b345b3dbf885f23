#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <set>
#include <thread>
#include <vector>

#include "platform/os/clock.h"
#include "platform/os/critical_section.h"
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
    EXPECT_FALSE(GetUserName().empty());
    EXPECT_NE(GetCurrentThreadId(), 0u);
    std::uint32_t other = 0;
    std::thread([&] { other = GetCurrentThreadId(); }).join();
    EXPECT_NE(other, GetCurrentThreadId());
    EXPECT_FALSE(OperatingSystemDescription().empty());
}

TEST(SysInfo, TimeZoneBiasFollowsTheRulesOfTheInstant) {
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    EXPECT_EQ(GetTimeZoneBiasAt(1705320000), -60);   // 2024-01-15 12:00 UTC, winter
    EXPECT_EQ(GetTimeZoneBiasAt(1721044800), -120);  // 2024-07-15 12:00 UTC, summer
    setenv("TZ", "America/New_York", 1);
    tzset();
    EXPECT_EQ(GetTimeZoneBiasAt(1705320000), 300);  // west of Greenwich is positive
    {
        platform::ManualClock clock(1721044800000);
        platform::ScopedClock scoped(clock);
        EXPECT_EQ(GetTimeZoneBias(), 240);  // at the clock's "now"
    }
    if (previous)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(CriticalSection, ReentrantForItsOwnerExclusiveForOthers) {
    TCriticalSection cs;
    cs.Enter();
    cs.Enter();  // the same thread again: no deadlock
    bool otherGotIn = true;
    std::thread([&] { otherGotIn = cs.TryEnter(); }).join();
    EXPECT_FALSE(otherGotIn);
    cs.Leave();
    std::thread([&] { otherGotIn = cs.TryEnter(); }).join();
    EXPECT_FALSE(otherGotIn);  // still held once
    cs.Leave();

    // Counted increments from several threads lose nothing under the lock.
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                std::lock_guard lock(cs);
                ++counter;
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(counter, 40000);
}

TEST(DebugOutput, SinkCanBeReplaced) {
    std::string got;
    auto previous = SetDebugOutputSink([&](std::string_view s) { got += s; });
    OutputDebugString("hello");
    SetDebugOutputSink(previous);
    EXPECT_EQ(got, "hello");
}

}  // namespace
