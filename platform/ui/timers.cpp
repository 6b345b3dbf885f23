#include "platform/ui/timers.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/runtime.h"
#include "platform/ui/message_queue.h"

namespace platform::ui {
namespace {

// One WM_TIMER per timer in the queue: a tick not yet taken is replaced, not doubled.
void PostTimerMessage(HWND wnd, WPARAM id) {
    RemoveQueued(wnd, WM_TIMER, id);
    QueuedMessage m;
    m.Msg = TMsg{wnd, WM_TIMER, id, 0, 0, {}};
    PostQueued(std::move(m));
}

class LoopTimers {
  public:
    LoopTimers() {
        runtimeWindow_ = AllocateHWnd([](TMessage& m) {
            if (m.Msg == WM_TIMER)
                Runtime().Timers.Fire(m.WParam);
        });
        Runtime().Timers.SetDelivery(
            [this](TimerService::TimerId id) { PostTimerMessage(runtimeWindow_, static_cast<WPARAM>(id)); });
    }

    void Set(HWND wnd, UINT_PTR id, UINT elapseMs) {
        if (const WindowTimer* t = Find(wnd, id)) {
            windowTimers_.Restart(t->Timer, elapseMs);
            return;
        }
        auto timer = windowTimers_.Start(elapseMs, [wnd, id] { PostTimerMessage(wnd, id); });
        timers_.push_back({wnd, id, timer});
    }

    bool Kill(HWND wnd, UINT_PTR id) {
        return KillIf([&](const WindowTimer& t) { return t.Wnd == wnd && t.Id == id; });
    }
    void KillWindow(HWND wnd) {
        KillIf([&](const WindowTimer& t) { return t.Wnd == wnd; });
    }
    void KillAll() {
        windowTimers_.StopAll();
        timers_.clear();
    }

    void PostDue() {
        Runtime().Timers.ProcessDueTimers();
        windowTimers_.ProcessDueTimers();
    }

    std::optional<std::uint64_t> MillisUntilNext() const {
        auto window = windowTimers_.MillisUntilNextTimer();
        auto runtime = Runtime().Timers.MillisUntilNextTimer();
        if (!window || !runtime)
            return window ? window : runtime;
        return std::min(*window, *runtime);
    }

  private:
    struct WindowTimer {
        HWND Wnd = 0;
        UINT_PTR Id = 0;
        TimerService::TimerId Timer = 0;
    };

    const WindowTimer* Find(HWND wnd, UINT_PTR id) const {
        auto it = std::find_if(timers_.begin(), timers_.end(),
                               [&](const WindowTimer& t) { return t.Wnd == wnd && t.Id == id; });
        return it == timers_.end() ? nullptr : &*it;
    }

    template <class Pred>
    bool KillIf(Pred pred) {
        auto gone =
            std::stable_partition(timers_.begin(), timers_.end(), [&](const auto& t) { return !pred(t); });
        bool any = gone != timers_.end();
        for (auto it = gone; it != timers_.end(); ++it) {
            windowTimers_.Stop(it->Timer);
            RemoveQueued(it->Wnd, WM_TIMER, it->Id);
        }
        timers_.erase(gone, timers_.end());
        return any;
    }

    TimerService windowTimers_;
    std::vector<WindowTimer> timers_;
    HWND runtimeWindow_ = 0;
};

// Kept for the whole run: windows may still go away while the program's statics are torn down.
LoopTimers& Timers() {
    static auto* timers = new LoopTimers();
    return *timers;
}

}  // namespace

void PostDueTimers() {
    Timers().PostDue();
}

std::optional<std::uint64_t> MillisUntilNextTimer() {
    return Timers().MillisUntilNext();
}

void KillWindowTimers(HWND wnd) {
    Timers().KillWindow(wnd);
}

void KillAllTimers() {
    Timers().KillAll();
}

}  // namespace platform::ui

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapseMs) {
    platform::ui::Timers().Set(wnd, id, elapseMs);
    return id;
}

bool KillTimer(HWND wnd, UINT_PTR id) {
    return platform::ui::Timers().Kill(wnd, id);
}
