#include "platform/os/clock.h"

#include <chrono>
#include <thread>

namespace platform {

std::int64_t SystemClock::UnixMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::uint64_t SystemClock::TickMillis() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::SleepMillis(unsigned ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {
SystemClock g_systemClock;
Clock* g_clock = &g_systemClock;
}  // namespace

Clock& CurrentClock() {
    return *g_clock;
}

void SetClock(Clock* clock) {
    g_clock = clock ? clock : &g_systemClock;
}

ScopedClock::ScopedClock(Clock& clock) : previous_(&CurrentClock()) {
    SetClock(&clock);
}

ScopedClock::~ScopedClock() {
    SetClock(previous_);
}

}  // namespace platform

std::uint32_t GetTickCount() {
    return static_cast<std::uint32_t>(platform::CurrentClock().TickMillis());
}

std::uint64_t GetTickCount64() {
    return platform::CurrentClock().TickMillis();
}

void Sleep(unsigned ms) {
    platform::CurrentClock().SleepMillis(ms);
}
