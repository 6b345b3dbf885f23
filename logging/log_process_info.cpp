#include "logging/log_process_info.h"

#include "platform/os/paths.h"
#include "platform/os/sysinfo.h"

namespace {

constexpr std::size_t MaxUserNameLength = 253;

template <class F>
std::string ReadOrEmpty(F read) {
    try {
        return read();
    } catch (...) {
        return {};
    }
}

TLogProcessInfo Capture() {
    TLogProcessInfo info;
    info.StartTime = Now();
    info.UserName = ReadOrEmpty([] { return GetUserName(); }).substr(0, MaxUserNameLength);
    info.Application = ReadOrEmpty([] { return ExtractFileName(ExecutablePath()); });
    info.ComputerName = ReadOrEmpty([] { return GetComputerName(); });
    return info;
}

}  // namespace

const TLogProcessInfo& LogProcessInfo() {
    static const TLogProcessInfo info = Capture();
    return info;
}
