#pragma once
// Window timers with ids, driven by the program's clock (platform/os/clock.h). A timer that is due
// puts one WM_TIMER (WParam = id) for its window into the queue; it is due again one interval after
// it fired, so a thread that was blocked gets one tick, not a burst.
//
// The runtime's timers (TTimer, platform/rtl/timer_service.h) tick through the same queue while the
// loop runs: from the loop's first turn on, each due tick is a WM_TIMER for a utility window that
// fires it when the loop takes it, in turn with input.
#include <cstdint>
#include <optional>

#include "platform/ui/types.h"

// Starts or restarts the count of timer id of wnd; an interval of 0 never fires. Returns id.
UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapseMs);
bool KillTimer(HWND wnd, UINT_PTR id);

namespace platform::ui {

// Queues WM_TIMER for every timer that is due now, window timers and the runtime's alike.
void PostDueTimers();
// Milliseconds until the next timer of either kind is due (0 when one is due now); nothing when
// no timer runs.
std::optional<std::uint64_t> MillisUntilNextTimer();
void KillWindowTimers(HWND wnd);
// Every window timer; the runtime's timers belong to their components.
void KillAllTimers();

}  // namespace platform::ui
