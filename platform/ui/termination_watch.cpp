#include "platform/ui/termination_watch.h"

#include "platform/os/termination_signals.h"
#include "platform/rtl/timer.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"

namespace {
// A signal waits at most this long; the loop's own waits are not woken by it.
constexpr unsigned kCheckInterval = 100;  // ms
}  // namespace

TTerminationWatch::TTerminationWatch(TComponent* AOwner)
    : TComponent(AOwner), timer_(MakeComponent<TTimer>(nullptr)) {
    platform::CatchTerminationSignals();
    timer_->SetInterval(kCheckInterval);
    timer_->OnTimer = [this](TObject*) { Check(); };
}

TTerminationWatch::~TTerminationWatch() = default;

void TTerminationWatch::Check() {
    const int signal = platform::TakeTerminationRequest();
    if (signal == 0)
        return;
    try {
        if (OnSignal)
            OnSignal(signal);
        else if (TCustomForm* form = Application->MainForm())
            form->Close();
    } catch (...) {
        // Nobody is there to answer a message box: the program ends all the same.
    }
    Application->Terminate();
}
