#pragma once
// A program started by a test, ended (TERM, then KILL) when the object goes away.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Stop(); }

    // Runs argv[0] with the current environment plus extraEnv ("NAME=value"), in dir when not empty;
    // keepFd stays open in the child (for -displayfd).
    void Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
               const std::string& dir = "", int keepFd = -1) {
        std::vector<std::string> env = extraEnv;
        for (char** e = environ; *e; ++e) env.emplace_back(*e);
        std::vector<char*> args, envp;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
        args.push_back(nullptr);
        envp.push_back(nullptr);
        pid_ = fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(126);
            for (int fd = 3; fd < 256; ++fd)
                if (fd != keepFd) close(fd);
            execve(args[0], args.data(), envp.data());
            _exit(127);
        }
    }

    // The exit status once the program ended within the time, or nothing.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (pid_ > 0) {
            int status = 0;
            pid_t r = waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (std::chrono::steady_clock::now() > end) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

    bool Running() {
        return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0;
    }

    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        if (!WaitExit(std::chrono::seconds(3))) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
};
