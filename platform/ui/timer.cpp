#include "platform/ui/timer.h"

#include "platform/ui/application.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/timers.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    window_ = AllocateHWnd([this](TMessage& m) { TimerWndProc(m); });
    UpdateTimer();
}

TTimer::~TTimer() {
    DeallocateHWnd(window_);
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
    KillTimer(window_, kTimerId);
    if (enabled_ && interval_ != 0)
        SetTimer(window_, kTimerId, interval_);
}

void TTimer::TimerWndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER)
        return;
    TBusyScope busy(this);
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TTimer::Timer() {
    if (OnTimer)
        OnTimer(this);
}
