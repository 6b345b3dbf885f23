#pragma once
// TTerminationWatch: SIGINT and SIGTERM answered on the message loop's thread. Made, it catches
// both signals (platform/os/termination_signals.h); when one comes, OnSignal runs (without one the
// main form is closed as its user would close it, its close events included) and the loop ends,
// so Run returns and the program leaves through its normal end with exit code 0.
#include <functional>
#include <string>

#include "platform/rtl/component.h"

class TTimer;

class TTerminationWatch : public TComponent {
  public:
    explicit TTerminationWatch(TComponent* AOwner);
    ~TTerminationWatch() override;
    std::string ClassName() const override { return "TTerminationWatch"; }

    // Runs with the signal; a failure in it does not keep the program from ending.
    std::function<void(int signal)> OnSignal;
    // Answers a request that has come; the timer calls it, tests may too.
    void Check();

  private:
    TObjectPtr<TTimer> timer_;
};
