#include "platform/os/sysinfo.h"

#include <pwd.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <fstream>

#include "platform/os/clock.h"

std::string GetUserName() {
    if (struct passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        return pw->pw_name;
    return {};
}

std::string GetComputerName() {
    char buf[256] = {};
    if (::gethostname(buf, sizeof(buf) - 1) != 0)
        return {};
    return buf;
}

std::uint32_t GetCurrentThreadId() {
    return static_cast<std::uint32_t>(::syscall(SYS_gettid));
}

std::uint32_t GetCurrentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

int GetTimeZoneBiasAt(std::int64_t unixSeconds) {
    time_t t = static_cast<time_t>(unixSeconds);
    struct tm local {};
    ::localtime_r(&t, &local);
    return static_cast<int>(-local.tm_gmtoff / 60);
}

int GetTimeZoneBias() {
    return GetTimeZoneBiasAt(platform::CurrentClock().UnixMillis() / 1000);
}

namespace {
std::string OsReleaseName() {
    std::ifstream in("/etc/os-release");
    std::string line;
    const std::string key = "PRETTY_NAME=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0)
            continue;
        std::string v = line.substr(key.size());
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return v;
    }
    return "Linux";
}
}  // namespace

std::string OperatingSystemDescription() {
    std::string result = OsReleaseName();
    struct utsname u {};
    if (::uname(&u) == 0)
        result += std::string("; ") + u.sysname + " " + u.release + " " + u.machine;
    return result;
}
