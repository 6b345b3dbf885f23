// A program that catches SIGTERM keeps its connections when the signal comes: the engine neither
// detaches them nor has its threads broken off, and the signal is the program's request to end.
// Run in a child of its own (a death test), where the signal and the engine's handlers stay.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/os/termination_signals.h"
#include "tests/firebird/engine_database.h"

namespace {

using namespace std::chrono_literals;

bool RequestArrives() {
    for (int i = 0; i < 100; ++i) {
        if (platform::TakeTerminationRequest() == SIGTERM)
            return true;
        std::this_thread::sleep_for(30ms);
    }
    return false;
}

// Exits 0 when the request arrived and the connection still commits work afterwards.
[[noreturn]] void SignalWhileConnected() {
    platform::CatchTerminationSignals();
    fbtest::TConnection connection(fbtest::TEngineFolder::Get().CreateDatabase("signals"));
    connection.db->SetConnected(true);
    ::kill(::getpid(), SIGTERM);
    const bool requested = RequestArrives();
    bool working = false;
    try {
        connection.tr->StartTransaction();
        fbtest::ExecSQL(*connection.tr, "CREATE TABLE AFTER_SIGNAL (ID INTEGER)");
        connection.tr->Commit();
        connection.db->SetConnected(false);
        working = true;
    } catch (const std::exception&) {
    }
    std::_Exit(requested && working ? 0 : 1);
}

TEST(EngineSignals, ACaughtSignalLeavesTheConnectionsToTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(SignalWhileConnected(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
