#include "platform/rtl/timer.h"

#include "platform/rtl/runtime.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    UpdateTimer();
}

TTimer::~TTimer() {
    platform::Runtime().Timers.Stop(timer_);
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    auto& timers = platform::Runtime().Timers;
    timers.Stop(timer_);
    timer_ = 0;
    if (enabled_ && interval_ != 0)
        timer_ = timers.Start(interval_, [this] { Tick(); });
}

void TTimer::Tick() {
    {
        TBusyScope busy(this);
        try {
            Timer();
        } catch (...) {
            platform::Runtime().Exceptions.HandleException(this);
        }
    }
    // A timer its own handler freed goes now, also where no message loop frees it; nothing of this
    // object may be used after this line.
    FreePendingComponents();
}

void TTimer::Timer() {
    if (OnTimer)
        OnTimer(this);
}
