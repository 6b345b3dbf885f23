#include "logging/log_event.h"

#include <cxxabi.h>
#include <pthread.h>
#include <time.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "logging/log_ndc.h"
#include "logging/log_process_info.h"
#include "logging/logger.h"
#include "platform/os/clock.h"
#include "platform/os/sysinfo.h"

namespace {

// Now(), worked out once per millisecond and thread: a busy log writes many lines in one, and the
// local time costs a look into the zone's rules. The zone is part of the key, so a zone set (with
// tzset) in between is seen at once.
TDateTime EventTime() {
    struct Key {
        std::int64_t UnixMillis;
        long Zone;
        int Daylight;
        const char* ZoneName;
        bool operator==(const Key&) const = default;
    };
    thread_local Key last{-1, 0, 0, nullptr};
    thread_local TDateTime lastTime = 0;
    const Key now{platform::CurrentClock().UnixMillis(), timezone, daylight, tzname[0]};
    if (!(now == last)) {
        lastTime = UtcToLocal(UnixMillisToDateTime(now.UnixMillis));
        last = now;
    }
    return lastTime;
}

}  // namespace

TLogEvent::TLogEvent(const TLogLevel* level, TLogLogger* logger, std::string_view message,
                     const std::exception* error)
    : Level(level), Logger(logger), Message(message), TimeStamp(EventTime()) {
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
