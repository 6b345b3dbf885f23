// Each case runs in a child of its own (a death test): the handler and the request stay there.
#include "platform/os/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

// The signal as another process sends it; the catching thread notes it a moment later.
int SendAndTake(int signal) {
    ::kill(::getpid(), signal);
    for (int i = 0; i < 200; ++i) {
        if (const int taken = platform::TakeTerminationRequest())
            return taken;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
}

// Taking answers a request; the first of two requests is kept until taken; a library's request
// counts like a signal.
[[noreturn]] void RequestsInOrder() {
    platform::CatchTerminationSignals();
    platform::CatchTerminationSignals();
    bool ok = platform::TerminationSignalsCaught() && platform::TakeTerminationRequest() == 0;
    ok = ok && SendAndTake(SIGINT) == SIGINT && platform::TakeTerminationRequest() == 0;
    platform::RequestTermination(SIGTERM);
    platform::RequestTermination(SIGINT);
    ok = ok && platform::TakeTerminationRequest() == SIGTERM;
    ok = ok && SendAndTake(SIGTERM) == SIGTERM;
    // A thread made afterwards leaves the signals to the catching thread.
    sigset_t blocked;
    std::thread([&] { pthread_sigmask(SIG_BLOCK, nullptr, &blocked); }).join();
    ok = ok && sigismember(&blocked, SIGINT) == 1 && sigismember(&blocked, SIGTERM) == 1;
    std::_Exit(ok ? 0 : 1);
}

TEST(TerminationSignals, TheProcessOutlivesTheSignalsAndOneThreadTakesThem) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RequestsInOrder(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
