#include "platform/rtl/timer_service.h"

#include <algorithm>
#include <utility>

#include "platform/os/clock.h"
#include "platform/rtl/flag_scope.h"

namespace platform {
namespace {

std::uint64_t Now() {
    return CurrentClock().TickMillis();
}

}  // namespace

TimerService::TimerId TimerService::Start(unsigned intervalMs, Tick onTick) {
    TimerId id = nextId_++;
    timers_.push_back({id, intervalMs, Now() + intervalMs, std::move(onTick)});
    return id;
}

TimerService::Entry* TimerService::Find(TimerId id) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [id](const Entry& t) { return t.Id == id; });
    return it == timers_.end() ? nullptr : &*it;
}

bool TimerService::Restart(TimerId id, unsigned intervalMs) {
    Entry* timer = Find(id);
    if (timer == nullptr)
        return false;
    timer->Interval = intervalMs;
    timer->Due = Now() + intervalMs;
    return true;
}

bool TimerService::Stop(TimerId id) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [id](const Entry& t) { return t.Id == id; });
    if (it == timers_.end())
        return false;
    timers_.erase(it);
    return true;
}

void TimerService::StopAll() {
    timers_.clear();
}

void TimerService::ProcessDueTimers() {
    if (processing_)
        return;
    TFlagScope processing(processing_);
    std::uint64_t now = Now();
    std::vector<TimerId> due;
    for (Entry& t : timers_) {
        if (t.Interval == 0 || now < t.Due)
            continue;
        t.Due = now + t.Interval;
        due.push_back(t.Id);
    }
    // A tick may start and stop timers: each one is looked up again when its turn comes.
    for (TimerId id : due) {
        if (delivery_)
            delivery_(id);
        else
            Fire(id);
    }
}

bool TimerService::Fire(TimerId id) {
    Entry* timer = Find(id);
    if (timer == nullptr)
        return false;
    // A copy: the tick may stop its own timer, which drops the entry.
    Tick tick = timer->OnTick;
    if (tick)
        tick();
    return true;
}

std::optional<std::uint64_t> TimerService::MillisUntilNextTimer() const {
    std::optional<std::uint64_t> best;
    std::uint64_t now = Now();
    for (const Entry& t : timers_) {
        if (t.Interval == 0)
            continue;
        std::uint64_t wait = t.Due > now ? t.Due - now : 0;
        if (!best || wait < *best)
            best = wait;
    }
    return best;
}

TimerService::Delivery TimerService::SetDelivery(Delivery delivery) {
    return std::exchange(delivery_, std::move(delivery));
}

}  // namespace platform
