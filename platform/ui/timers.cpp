#include "platform/ui/timers.h"

#include <algorithm>
#include <vector>

#include "platform/os/clock.h"
#include "platform/ui/message_queue.h"

namespace platform::ui {
namespace {

struct Timer {
    HWND Wnd = 0;
    UINT_PTR Id = 0;
    UINT Interval = 0;
    std::uint64_t Due = 0;
};

std::vector<Timer>& Timers() {
    static auto* timers = new std::vector<Timer>();
    return *timers;
}

std::uint64_t Now() {
    return platform::CurrentClock().TickMillis();
}

}  // namespace

void PostDueTimers() {
    static bool posting = false;
    if (posting)
        return;
    posting = true;
    std::uint64_t now = Now();
    for (Timer& t : Timers()) {
        if (t.Interval == 0 || now < t.Due)
            continue;
        t.Due = now + t.Interval;
        RemoveQueued(t.Wnd, WM_TIMER, t.Id);
        QueuedMessage m;
        m.Msg = TMsg{t.Wnd, WM_TIMER, t.Id, 0, 0, {}};
        PostQueued(std::move(m));
    }
    posting = false;
}

std::optional<std::uint64_t> MillisUntilNextTimer() {
    std::optional<std::uint64_t> best;
    std::uint64_t now = Now();
    for (const Timer& t : Timers()) {
        if (t.Interval == 0)
            continue;
        std::uint64_t wait = t.Due > now ? t.Due - now : 0;
        if (!best || wait < *best)
            best = wait;
    }
    return best;
}

void KillWindowTimers(HWND wnd) {
    auto& timers = Timers();
    timers.erase(std::remove_if(timers.begin(), timers.end(), [wnd](const Timer& t) { return t.Wnd == wnd; }),
                 timers.end());
    RemoveQueued(wnd, WM_TIMER, 0);
}

void KillAllTimers() {
    Timers().clear();
}

}  // namespace platform::ui

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapseMs) {
    auto& timers = platform::ui::Timers();
    std::uint64_t due = platform::ui::Now() + elapseMs;
    for (auto& t : timers) {
        if (t.Wnd == wnd && t.Id == id) {
            t.Interval = elapseMs;
            t.Due = due;
            return id;
        }
    }
    timers.push_back({wnd, id, elapseMs, due});
    return id;
}

bool KillTimer(HWND wnd, UINT_PTR id) {
    auto& timers = platform::ui::Timers();
    auto it =
        std::find_if(timers.begin(), timers.end(), [&](const auto& t) { return t.Wnd == wnd && t.Id == id; });
    if (it == timers.end())
        return false;
    timers.erase(it);
    platform::ui::RemoveQueued(wnd, WM_TIMER, id);
    return true;
}
