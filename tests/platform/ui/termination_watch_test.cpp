// SIGINT and SIGTERM sent to the test's own process, each case in a child of its own (a death
// test), so the signals and the request they leave never reach the other tests.
#include "platform/ui/termination_watch.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"

namespace {

struct SignalCase {
    int signal;
    bool throwingHandler;
};

// Exits 0 when the signal left the process running and the loop ended through the form's close
// events (or through the handler, failing or not); 1 when not.
[[noreturn]] void AnswerOneSignal(const SignalCase& c) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    TObjectPtr<TTerminationWatch> watch = MakeComponent<TTerminationWatch>(nullptr);
    int handled = 0;
    if (c.throwingHandler)
        watch->OnSignal = [&](int signal) {
            handled = signal;
            throw std::runtime_error("cannot post");
        };
    ::kill(::getpid(), c.signal);
    const bool early = Application->Terminated();
    // The catching thread notes the signal a moment later; the loop looks every 100 ms.
    for (int i = 0; i < 200 && !Application->Terminated(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ui.Advance(100);
    }
    const bool answered = c.throwingHandler ? handled == c.signal && closes == 0 : closes == 1;
    std::_Exit(!early && answered && Application->Terminated() ? 0 : 1);
}

TEST(TerminationWatch, ASignalClosesTheMainFormOnTheLoopAndEndsTheLoop) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const SignalCase& c :
         {SignalCase{SIGTERM, false}, SignalCase{SIGINT, false}, SignalCase{SIGTERM, true}})
        EXPECT_EXIT(AnswerOneSignal(c), ::testing::ExitedWithCode(0), "")
            << "signal " << c.signal << (c.throwingHandler ? " with a failing handler" : "");
}

}  // namespace
