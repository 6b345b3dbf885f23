// Timers below the window system: this binary links no window system, so the ticks here come only
// from ProcessDueTimers on a clock the tests move by hand.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/os/clock.h"
#include "platform/rtl/runtime.h"
#include "platform/rtl/timer.h"
#include "tests/platform/rtl/debug_lines.h"

namespace {

class TimerTest : public ::testing::Test {
  protected:
    TTimer* MakeTimer(unsigned interval) {
        TTimer* t = NewComponent<TTimer>(owner.get());
        t->SetInterval(interval);
        t->OnTimer = [this](TObject*) { ++ticks; };
        return t;
    }
    // Moves the clock from one due time to the next and runs what came due, as a loop would.
    void Advance(std::uint64_t ms) {
        auto& timers = platform::Runtime().Timers;
        std::uint64_t end = clock.TickMillis() + ms;
        for (auto wait = timers.MillisUntilNextTimer(); wait && clock.TickMillis() + *wait <= end;
             wait = timers.MillisUntilNextTimer()) {
            clock.Advance(static_cast<std::int64_t>(*wait));
            timers.ProcessDueTimers();
        }
        clock.Advance(static_cast<std::int64_t>(end - clock.TickMillis()));
        timers.ProcessDueTimers();
    }
    platform::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    TObjectPtr<TComponent> owner = MakeComponent<TComponent>(nullptr);
    int ticks = 0;
};

TEST_F(TimerTest, ATimerFiresOnTheHandDrivenClockWithoutAWindowSystem) {
    MakeTimer(500);
    Advance(499);
    EXPECT_EQ(ticks, 0);
    Advance(1);
    EXPECT_EQ(ticks, 1);
    Advance(1000);
    EXPECT_EQ(ticks, 3);

    // A loop that was held up gets one tick, and the count goes on from there.
    clock.Advance(3000);
    platform::Runtime().Timers.ProcessDueTimers();
    EXPECT_EQ(ticks, 4);
    Advance(499);
    EXPECT_EQ(ticks, 4);
    Advance(1);
    EXPECT_EQ(ticks, 5);
}

TEST_F(TimerTest, WhatStopsATimer) {
    struct Case {
        const char* what;
        std::function<void(TTimer*, int&)> setUp;
        int ticks;
        int timersLeft;
    };
    const std::vector<Case> cases = {
        {"turned off", [](TTimer* t, int&) { t->SetEnabled(false); }, 0, 1},
        {"an interval of 0", [](TTimer* t, int&) { t->SetInterval(0); }, 0, 1},
        {"turned off in its own tick",
         [](TTimer* t, int& n) {
             t->OnTimer = [&n](TObject* s) {
                 ++n;
                 static_cast<TTimer*>(s)->SetEnabled(false);
             };
         },
         1, 1},
        {"freed in its own tick",
         [](TTimer* t, int& n) {
             t->OnTimer = [&n](TObject* s) {
                 ++n;
                 Free(s);
             };
         },
         1, 0},
        {"freed with its owner", [this](TTimer*, int&) { owner->DestroyComponents(); }, 0, 0},
    };
    for (const Case& c : cases) {
        ticks = 0;
        c.setUp(MakeTimer(1000), ticks);
        Advance(5000);
        EXPECT_EQ(ticks, c.ticks) << c.what;
        EXPECT_EQ(owner->ComponentCount(), c.timersLeft) << c.what;
        owner->DestroyComponents();
        EXPECT_EQ(platform::Runtime().Timers.MillisUntilNextTimer(), std::nullopt) << c.what;
    }
}

TEST_F(TimerTest, AFailingTickIsWrittenToTheDebugOutputAndTheTimerGoesOn) {
    DebugLines debug;
    TTimer* t = MakeTimer(100);
    t->OnTimer = [this](TObject*) {
        if (++ticks == 1)
            throw Exception("Нет связи с сервером");
        Abort();  // ends the tick quietly
    };
    Advance(300);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(debug.Lines, std::vector<std::string>{"Exception in TTimer: Нет связи с сервером"});
}

class TimerServiceTest : public ::testing::Test {
  protected:
    platform::ManualClock clock;
    platform::ScopedClock scopedClock{clock};
    platform::TimerService timers;
    std::vector<std::string> ticked;
};

TEST_F(TimerServiceTest, ATickThatStopsAnotherTimerDueInTheSameTurnKeepsItFromTicking) {
    platform::TimerService::TimerId second = 0;
    timers.Start(100, [&] {
        ticked.push_back("first");
        timers.Stop(second);
    });
    second = timers.Start(100, [&] { ticked.push_back("second"); });
    clock.Advance(100);
    timers.ProcessDueTimers();
    EXPECT_EQ(ticked, std::vector<std::string>{"first"});
}

TEST_F(TimerServiceTest, ADeliveredTickWaitsForTheLoopAndIsDroppedWhenItsTimerStopped) {
    std::vector<platform::TimerService::TimerId> delivered;
    timers.SetDelivery([&](platform::TimerService::TimerId id) { delivered.push_back(id); });
    auto a = timers.Start(100, [&] { ticked.push_back("a"); });
    auto b = timers.Start(200, [&] { ticked.push_back("b"); });
    clock.Advance(200);
    timers.ProcessDueTimers();
    EXPECT_EQ(delivered, (std::vector{a, b}));
    EXPECT_TRUE(ticked.empty());

    timers.Stop(b);
    EXPECT_TRUE(timers.Fire(a));
    EXPECT_FALSE(timers.Fire(b));
    EXPECT_EQ(ticked, std::vector<std::string>{"a"});
}

TEST_F(TimerServiceTest, TheWaitUntilTheNextTickFollowsStartsAndRestarts) {
    EXPECT_EQ(timers.MillisUntilNextTimer(), std::nullopt);
    auto never = timers.Start(0, [] {});
    EXPECT_EQ(timers.MillisUntilNextTimer(), std::nullopt);
    auto t = timers.Start(300, [] {});
    clock.Advance(100);
    EXPECT_EQ(timers.MillisUntilNextTimer(), 200u);
    clock.Advance(250);
    EXPECT_EQ(timers.MillisUntilNextTimer(), 0u);  // overdue
    EXPECT_TRUE(timers.Restart(t, 1000));
    EXPECT_EQ(timers.MillisUntilNextTimer(), 1000u);
    EXPECT_TRUE(timers.Restart(never, 40));
    EXPECT_EQ(timers.MillisUntilNextTimer(), 40u);
}

}  // namespace
