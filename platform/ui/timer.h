#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, on the program's clock.
// An interval of 0 never fires; turning the timer on (or changing the interval) starts the count anew.
#include "platform/rtl/component.h"
#include "platform/ui/events.h"
#include "platform/ui/messages.h"

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
    void TimerWndProc(TMessage& Message);
    HWND window_ = 0;
    unsigned interval_ = 1000;
    bool enabled_ = true;
};
