#include "platform/os/termination_signals.h"

#include <signal.h>

#include <atomic>

namespace platform {

namespace {

// A signal handler reaches only data of static storage; lock-free atomics are safe to use in it.
std::atomic<int> requested{0};
std::atomic<bool> caught{false};
static_assert(std::atomic<int>::is_always_lock_free);

void NoteSignal(int signal) {
    int none = 0;
    requested.compare_exchange_strong(none, signal);
}

}  // namespace

void CatchTerminationSignals() {
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: the request is answered by the loop, not by failing calls.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    caught = true;
}

bool TerminationSignalsCaught() {
    return caught;
}

int TakeTerminationRequest() {
    return requested.exchange(0);
}

void RequestTermination(int signal) {
    NoteSignal(signal);
}

}  // namespace platform
