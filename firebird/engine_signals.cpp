#include "firebird/engine_signals.h"

#include <ibase.h>
#include <signal.h>

#include "platform/os/termination_signals.h"

namespace {

// Runs on the engine's own thread, asked before the engine shuts down; non-zero refuses.
int AnswerEngineShutdown(const int reason, const int /*mask*/, void* /*arg*/) {
    if (reason != fb_shutrsn_signal || !platform::TerminationSignalsCaught())
        return 0;
    // The engine passes the signal on to the program's handler when that came first; when not, the
    // request is made here. Which of the two signals came the engine does not say.
    platform::RequestTermination(SIGTERM);
    return 1;
}

}  // namespace

void LeaveTerminationSignalsToProgram(HMODULE clientLibrary) {
    auto* registerCallback = reinterpret_cast<decltype(&fb_shutdown_callback)>(
        GetProcAddress(clientLibrary, "fb_shutdown_callback"));
    if (registerCallback == nullptr)
        return;
    ISC_STATUS_ARRAY status{};
    registerCallback(status, AnswerEngineShutdown, fb_shut_confirmation, nullptr);
}
