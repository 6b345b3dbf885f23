#pragma once
// One clock for the whole program: wall time, tick counts and sleeping all go through it,
// so that tests can drive time by hand with ManualClock.
#include <cstdint>

namespace platform {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::int64_t UnixMillis() = 0;   // wall time, UTC
    virtual std::uint64_t TickMillis() = 0;  // monotonic
    virtual void SleepMillis(unsigned ms) = 0;
};

class SystemClock : public Clock {
  public:
    std::int64_t UnixMillis() override;
    std::uint64_t TickMillis() override;
    void SleepMillis(unsigned ms) override;
};

// A clock that only moves when told to; sleeping advances it.
class ManualClock : public Clock {
  public:
    explicit ManualClock(std::int64_t unixMillis = 1700000000000, std::uint64_t tick = 1000)
        : unix_(unixMillis), tick_(tick) {}
    std::int64_t UnixMillis() override { return unix_; }
    std::uint64_t TickMillis() override { return tick_; }
    void SleepMillis(unsigned ms) override { Advance(ms); }
    void Advance(std::int64_t ms) {
        unix_ += ms;
        tick_ += static_cast<std::uint64_t>(ms);
    }
    void SetUnixMillis(std::int64_t ms) { unix_ = ms; }

  private:
    std::int64_t unix_;
    std::uint64_t tick_;
};

Clock& CurrentClock();
// Installs a clock (not owned); nullptr restores the system clock.
void SetClock(Clock* clock);

// Restores the previous clock when it goes out of scope.
class ScopedClock {
  public:
    explicit ScopedClock(Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

  private:
    Clock* previous_;
};

}  // namespace platform

std::uint32_t GetTickCount();
std::uint64_t GetTickCount64();
void Sleep(unsigned ms);
