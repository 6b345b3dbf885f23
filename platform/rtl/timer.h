#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, on the program's clock, through
// the runtime's timers (platform/rtl/timer_service.h). An interval of 0 never fires; turning the
// timer on (or changing the interval) starts the count anew. An exception escaping OnTimer goes to
// the runtime's exception report and the timer goes on.
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/rtl/timer_service.h"

class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    std::string ClassName() const override { return "TTimer"; }

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TNotifyEvent OnTimer;

  protected:
    virtual void Timer();

  private:
    void UpdateTimer();
    void Tick();
    platform::TimerService::TimerId timer_ = 0;
    unsigned interval_ = 1000;
    bool enabled_ = true;
};
