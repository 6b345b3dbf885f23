#pragma once
// The channel's named mutex and events, living in POSIX shared memory so that every process
// opening the same name shares them. The mutex is recursive and robust: a holder that dies hands
// it on. An event is one word waited on with a futex, so a waiter that dies leaves nothing
// behind that could hold up the others.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "firebird/sql_monitor_shared_memory.h"

class TSharedMutex {
  public:
    // Raises client error 54 when the object cannot be made or opened.
    static std::unique_ptr<TSharedMutex> CreateOrOpen(const std::string& name);
    // False when the time ran out, or the mutex cannot be recovered.
    bool Lock(std::chrono::milliseconds timeout);
    void Unlock();

  private:
    struct State;
    explicit TSharedMutex(std::unique_ptr<TNamedSharedMemory> memory);
    std::unique_ptr<TNamedSharedMemory> memory_;
    State* state_;
};

// A manual-reset event: stays set until reset.
class TSharedEvent {
  public:
    // The initial state applies only when this call creates the event.
    static std::unique_ptr<TSharedEvent> CreateOrOpen(const std::string& name, bool initiallySet);
    void Set();
    void Reset();
    bool IsSet() const;
    // True once the event is set; false when the time ran out first.
    bool Wait(std::chrono::milliseconds timeout);

  private:
    struct State;
    explicit TSharedEvent(std::unique_ptr<TNamedSharedMemory> memory);
    std::unique_ptr<TNamedSharedMemory> memory_;
    State* state_;
};
