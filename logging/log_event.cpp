#include "logging/log_event.h"

#include <cxxabi.h>
#include <pthread.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "logging/log_ndc.h"
#include "logging/log_process_info.h"
#include "logging/logger.h"
#include "platform/os/sysinfo.h"

TLogEvent::TLogEvent(const TLogLevel* level, TLogLogger* logger, std::string_view message,
                     const std::exception* error)
    : Level(level), Logger(logger), Message(message), TimeStamp(Now()) {
    if (error) {
        ErrorMessage = error->what();
        ErrorClass = LogErrorClassName(*error);
    }
}

std::int64_t TLogEvent::ElapsedTime() const {
    return std::llround((TimeStamp - LogProcessInfo().StartTime) * MSecsPerDay);
}

std::string TLogEvent::LoggerName() const {
    return Logger ? Logger->Name() : std::string();
}

std::string TLogEvent::NDC() const {
    return Logger ? TLogNDC::Get() : std::string();
}

namespace {

// Bumped in a forked child, whose thread has a new id.
std::atomic<unsigned> forkGeneration{0};
const int forkHandlerInstalled = pthread_atfork(nullptr, nullptr, [] { ++forkGeneration; });

}  // namespace

// The id is asked of the system once per thread (it is a system call), and again after a fork.
std::uint32_t TLogEvent::ThreadId() const {
    thread_local unsigned generation = ~0u;
    thread_local std::uint32_t id = 0;
    if (generation != forkGeneration.load(std::memory_order_relaxed)) {
        (void)forkHandlerInstalled;
        id = GetCurrentThreadId();
        generation = forkGeneration.load(std::memory_order_relaxed);
    }
    return id;
}

std::string LogErrorClassName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? std::string(demangled.get()) : std::string(mangled);
}
