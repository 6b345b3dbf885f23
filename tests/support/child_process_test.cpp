// Programs started by tests: environment, folder, exit status, and an end even for one that
// ignores TERM.
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using testsupport::ChildProcess;

TEST(ChildProcess, RunsInTheGivenFolderWithTheExtraEnvironment) {
    testsupport::TempDir dir("child");
    ChildProcess child;
    child.Start({"sh", "-c", "printf %s \"$SUPPORT_VALUE\" > seen"}, {"SUPPORT_VALUE=Жя 1"}, dir.Path());
    ASSERT_EQ(child.WaitExit(10s), 0);
    std::ostringstream seen;
    seen << std::ifstream(dir / "seen").rdbuf();
    EXPECT_EQ(seen.str(), "Жя 1");
}

TEST(ChildProcess, ReportsTheExitStatusOrTheSignal) {
    struct Case {
        const char* script;
        int status;
    } cases[] = {{"exit 3", 3}, {"kill -INT $$", 128 + 2}};
    for (const auto& c : cases) {
        ChildProcess child;
        child.Start({"sh", "-c", c.script});
        EXPECT_EQ(child.WaitExit(10s), c.status) << c.script;
    }
    ChildProcess missing;
    missing.Start({"no-such-program-here"});
    EXPECT_EQ(missing.WaitExit(10s), 127);
}

TEST(ChildProcess, WaitGivesUpAfterTheTimeAndStopEndsTheProgram) {
    ChildProcess child;
    child.Start({"sleep", "30"});
    EXPECT_EQ(child.WaitExit(50ms), std::nullopt);
    EXPECT_TRUE(child.Running());
    EXPECT_EQ(child.Stop(), 128 + 15);
    EXPECT_FALSE(child.Running());
}

TEST(ChildProcess, StopKillsAProgramThatIgnoresTerm) {
    testsupport::TempDir dir("child");
    ChildProcess child;
    // An ignored signal stays ignored across exec; "ready" tells that TERM is ignored by now.
    child.Start({"sh", "-c", "trap '' TERM; : > ready; exec sleep 30"}, {}, dir.Path());
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!std::filesystem::exists(dir / "ready") && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(std::filesystem::exists(dir / "ready"));
    EXPECT_EQ(child.Stop(), 128 + 9);
}

}  // namespace
