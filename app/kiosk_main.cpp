// The kiosk program: logging first, then the one window and the message loop until it closes.
// SIGINT and SIGTERM close the window as its hidden exit taps do, with exit code 0.
#include "app/main_form.h"
#include "logging/log_setup.h"
#include "platform/os/termination_signals.h"
#include "platform/ui/application.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/termination_watch.h"

int main(int argc, char** argv) {
    // Before any thread is made, so that none of them is broken off by the signals.
    platform::CatchTerminationSignals();
    ConfigureLogging();
    platform::ui::QtHost host(argc, argv);
    Application->Initialize();
    TObjectPtr<TTerminationWatch> watch = MakeComponent<TTerminationWatch>(nullptr);
    Application->CreateForm(&MainForm);
    Application->Run();
    return 0;
}
