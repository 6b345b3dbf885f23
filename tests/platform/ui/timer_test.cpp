// Timers run on the program's clock: the tests move a ManualClock by hand.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/os/clock.h"
#include "platform/ui/application.h"
#include "platform/ui/headless.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/timer.h"
#include "platform/ui/timers.h"

namespace {

class TimerTest : public ::testing::Test {
  protected:
    TTimer* MakeTimer(unsigned interval, bool enabled) {
        TTimer* t = NewComponent<TTimer>(Application);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->OnTimer = [this](TObject*) { ++ticks; };
        t->SetEnabled(enabled);
        return t;
    }
    platform::ui::HeadlessSession ui;
    int ticks = 0;
};

TEST_F(TimerTest, FiresOncePerIntervalWhileEnabled) {
    MakeTimer(500, true);
    ui.Advance(499);
    EXPECT_EQ(ticks, 0);
    ui.Advance(1);
    EXPECT_EQ(ticks, 1);
    ui.Advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST_F(TimerTest, AnIntervalOfZeroNeverFires) {
    TTimer* t = MakeTimer(0, true);
    ui.Advance(100000);
    t->SetEnabled(false);
    t->SetEnabled(true);
    ui.Advance(100000);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, TurningOnOrChangingTheIntervalStartsTheCountAnew) {
    struct Case {
        const char* what;
        unsigned first;
        void (*change)(TTimer*);
    };
    for (Case c : {Case{"off and on", 1000,
                        [](TTimer* t) {
                            t->SetEnabled(false);
                            t->SetEnabled(true);
                        }},
                   Case{"new interval", 900, [](TTimer* t) { t->SetInterval(1000); }}}) {
        ticks = 0;
        TTimer* t = MakeTimer(c.first, true);
        ui.Advance(600);
        c.change(t);
        ui.Advance(999);
        EXPECT_EQ(ticks, 0) << c.what;
        ui.Advance(1);
        EXPECT_EQ(ticks, 1) << c.what;
        Free(t);
    }
}

TEST_F(TimerTest, TurningOffInsideTheHandlerStopsIt) {
    TTimer* t = MakeTimer(1000, true);
    t->OnTimer = [&](TObject* sender) {
        ++ticks;
        static_cast<TTimer*>(sender)->SetEnabled(false);
    };
    ui.Advance(5000);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, ABlockedThreadGetsOneTickNotABurst) {
    MakeTimer(500, true);
    ui.Clock().Advance(3000);  // the handler that ran meanwhile kept the loop away
    ui.ProcessMessages();
    EXPECT_EQ(ticks, 1);
    ui.Advance(499);
    EXPECT_EQ(ticks, 1);
    ui.Advance(1);
    EXPECT_EQ(ticks, 2);
}

TEST_F(TimerTest, WhileTheLoopRunsATickIsAQueuedMessageThatAPeekDoesNotRun) {
    MakeTimer(100, true);
    ui.Clock().Advance(100);
    TMsg msg;
    ASSERT_TRUE(PeekMessage(msg, 0, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(ticks, 0);
    ui.ProcessMessages();
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerTest, SleepingOnTheUiThreadGoesThroughTheClock) {
    auto before = ui.Clock().TickMillis();
    Sleep(500);
    EXPECT_EQ(ui.Clock().TickMillis() - before, 500u);
}

TEST_F(TimerTest, AnExceptionInOnTimerIsReportedAndTheTimerGoesOn) {
    TTimer* t = MakeTimer(100, true);
    t->OnTimer = [&](TObject*) {
        ++ticks;
        throw std::runtime_error("clock broke");
    };
    ui.Advance(200);
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(ui.System().MessageBoxes().size(), 2u);
    EXPECT_EQ(ui.System().MessageBoxes()[0].Text, "clock broke.");
}

TEST_F(TimerTest, WindowTimersWithIdsPostWmTimer) {
    std::vector<WPARAM> ids;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_TIMER)
            ids.push_back(m.WParam);
    });
    SetTimer(wnd, 1, 300);
    SetTimer(wnd, 2, 200);
    ui.Advance(600);
    KillTimer(wnd, 2);
    ui.Advance(300);
    DeallocateHWnd(wnd);
    EXPECT_EQ(ids, (std::vector<WPARAM>{2, 1, 2, 1, 2, 1}));
}

}  // namespace
