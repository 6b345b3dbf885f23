#pragma once
// A program started by a test, ended (TERM, then KILL) when the object goes away.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class ChildProcess {
  public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Stop(); }

    // Runs argv[0] (looked up on PATH when it holds no "/") with the test's environment plus
    // extraEnv ("NAME=value"), in dir when not empty. Of the other open files only keepFd is
    // passed on (for -displayfd). Throws std::runtime_error when no process could be made.
    void Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
               const std::filesystem::path& dir = {}, int keepFd = -1);

    bool Running();
    // Sends the program a signal (SIGSTOP freezes it, SIGCONT thaws it); false when none runs.
    bool Signal(int signal);

    // The exit status (128 + the signal when a signal ended it) once the program ended within
    // the time; nothing when it still runs or none was started.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);

    // Sends TERM (and CONT, so that a frozen program hears it), then KILL after three seconds, unless
    // the program already ended; the status it ended with, nothing when none was started.
    std::optional<int> Stop();

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

}  // namespace testsupport
