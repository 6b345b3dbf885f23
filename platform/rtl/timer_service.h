#pragma once
// Timers below the window system, on the program's clock (platform/os/clock.h). Each timer is due
// one interval after it started and again one interval after each time it came due, so a loop that
// was held up gets one tick per timer, not a burst. Nothing runs by itself: whoever runs the loop
// calls ProcessDueTimers (the window system's message loop when it runs; a test after moving a
// ManualClock). Timers belong to the thread that runs that loop.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

class TimerService {
  public:
    using TimerId = std::uint64_t;  // never 0
    using Tick = std::function<void()>;
    // Takes a due timer's tick to wherever it should run; see SetDelivery.
    using Delivery = std::function<void(TimerId)>;

    // An interval of 0 never comes due.
    TimerId Start(unsigned intervalMs, Tick onTick);
    // Starts the count anew with this interval; the timer keeps its place. False when no such timer runs.
    bool Restart(TimerId id, unsigned intervalMs);
    // False when no such timer runs. A stopped timer never ticks again, even when already delivered.
    bool Stop(TimerId id);
    void StopAll();

    // Every timer that is due now comes due once, in the order the timers were started. A tick
    // that calls ProcessDueTimers again finds nothing to do.
    void ProcessDueTimers();
    // Runs the tick of a timer that still runs; false when it was stopped meanwhile.
    bool Fire(TimerId id);
    // Milliseconds until the next timer is due (0 when one is due now); nothing when none runs.
    std::optional<std::uint64_t> MillisUntilNextTimer() const;

    // Without a delivery a due tick runs at once, inside ProcessDueTimers. A message loop installs
    // one that queues the tick and calls Fire when it takes it, in turn with its other messages.
    // Returns the previous delivery.
    Delivery SetDelivery(Delivery delivery);

  private:
    struct Entry {
        TimerId Id = 0;
        unsigned Interval = 0;
        std::uint64_t Due = 0;
        Tick OnTick;
    };
    Entry* Find(TimerId id);
    std::vector<Entry> timers_;
    TimerId nextId_ = 1;
    Delivery delivery_;
    bool processing_ = false;
};

}  // namespace platform
