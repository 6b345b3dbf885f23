#include "tests/support/child_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace testsupport {
namespace {

// The child may only call async-signal-safe functions after fork(), so the PATH search happens here.
std::string ProgramPath(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return name;
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return name;  // exec fails and the child ends with 127
}

int ExitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

void ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                         const std::filesystem::path& dir, int keepFd) {
    Stop();
    status_.reset();
    const std::string program = ProgramPath(argv.at(0));
    const std::string folder = dir.string();
    std::vector<std::string> env = extraEnv;  // first, so that they win over inherited ones
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    envp.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed for " + program);
    if (pid_ == 0) {
        if (!folder.empty() && ::chdir(folder.c_str()) != 0)
            ::_exit(126);
        for (int fd = 3; fd < 256; ++fd)
            if (fd != keepFd)
                ::close(fd);
        ::execve(program.c_str(), args.data(), envp.data());
        ::_exit(127);
    }
}

bool ChildProcess::Running() {
    if (pid_ <= 0)
        return false;
    int status = 0;
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == 0)
        return true;
    if (ended == pid_)
        status_ = ExitStatus(status);  // otherwise reaped elsewhere: status unknown
    pid_ = -1;
    return false;
}

bool ChildProcess::Signal(int signal) {
    return Running() && ::kill(pid_, signal) == 0;
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Running()) {
        if (std::chrono::steady_clock::now() > end)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

std::optional<int> ChildProcess::Stop() {
    if (!Running())
        return status_;
    ::kill(pid_, SIGTERM);
    ::kill(pid_, SIGCONT);
    if (auto status = WaitExit(std::chrono::seconds(3)))
        return status;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    status_ = ExitStatus(status);
    return status_;
}

}  // namespace testsupport
