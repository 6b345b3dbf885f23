// Each case runs in a child of its own (a death test): the handler and the request stay there.
#include "platform/os/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

namespace {

// The first signal is the request until it is taken; taking answers it; a library's request
// counts like a signal.
[[noreturn]] void RequestsInOrder() {
    platform::CatchTerminationSignals();
    bool ok = platform::TerminationSignalsCaught() && platform::TakeTerminationRequest() == 0;
    ::raise(SIGINT);
    ::raise(SIGTERM);
    ok = ok && platform::TakeTerminationRequest() == SIGINT && platform::TakeTerminationRequest() == 0;
    platform::RequestTermination(SIGTERM);
    platform::RequestTermination(SIGINT);
    ok = ok && platform::TakeTerminationRequest() == SIGTERM;
    std::exit(ok ? 0 : 1);
}

TEST(TerminationSignals, TheProcessOutlivesTheSignalsAndTheFirstIsTheRequestUntilTaken) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RequestsInOrder(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
