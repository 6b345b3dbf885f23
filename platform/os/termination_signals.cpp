#include "platform/os/termination_signals.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <mutex>
#include <thread>

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

sigset_t TerminationSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

// The one thread that takes the signals: a signal landing on another thread (the database
// engine's) would break off what that thread was waiting for.
void TakeSignals() {
    const sigset_t set = TerminationSet();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) == 0)
            NoteSignal(signal);
    }
}

void Install() {
    // For threads made before this one, which still take the signals themselves.
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // Blocked here, and so in every thread made from here on, the taking thread included.
    const sigset_t set = TerminationSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(TakeSignals).detach();
    caught = true;
}

}  // namespace

void CatchTerminationSignals() {
    static std::once_flag once;
    std::call_once(once, Install);
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
