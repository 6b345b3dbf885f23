#pragma once
// The trace channel's named objects, opened together: the shared block, the mutex that orders
// the writers of all processes, and the four events of the handshake between a writer and the
// monitor tools. The first process to open a name creates the object; the others share it.
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "firebird/sql_monitor_block.h"
#include "firebird/sql_monitor_shared_memory.h"
#include "firebird/sql_monitor_sync.h"

// The names the monitor tools open; a prefix (empty for the product) goes in front of each.
namespace monitor_names {
constexpr std::string_view SharedMem = "FIB.SQL.MONITOR.SharedMem";
constexpr std::string_view Mutex = "FIB.SQL.MONITOR.Mutex";
constexpr std::string_view WriteEvent = "FIB.SQL.MONITOR.WriteEvent";
constexpr std::string_view WriteFinishedEvent = "FIB.SQL.MONITOR.WriteFinishedEvent";
constexpr std::string_view ReadEvent = "FIB.SQL.MONITOR.ReadEvent";
constexpr std::string_view ReadFinishedEvent = "FIB.SQL.MONITOR.ReadFinishedEvent";
}  // namespace monitor_names

// How long a writer waits, per step, for tools that do not answer.
constexpr std::chrono::milliseconds MonitorHandshakeStep(1000);
// A writer of another process holds the mutex only through handshakes that end by themselves;
// a wait longer than this means it hangs, and the message is dropped rather than this side too.
constexpr std::chrono::milliseconds MonitorMutexWait(10000);

class TMonitorChannel {
  public:
    // Raises client error 54 when an object cannot be made or opened.
    static std::unique_ptr<TMonitorChannel> Open(std::string_view namePrefix);
    // Removes the six names; processes that have them open keep them.
    static void Unlink(std::string_view namePrefix);

    TMonitorSharedBlock& Block() { return block_; }
    const TMonitorSharedBlock& Block() const { return block_; }
    TSharedMutex& Mutex() { return *mutex_; }
    TSharedEvent& WriteEvent() { return *writeEvent_; }
    TSharedEvent& WriteFinishedEvent() { return *writeFinishedEvent_; }
    TSharedEvent& ReadEvent() { return *readEvent_; }
    TSharedEvent& ReadFinishedEvent() { return *readFinishedEvent_; }

    std::int32_t MonitorCount() const { return block_.MonitorCount().load(); }

    // The writer's side of the handshake for the chunk just written: waits for the tools to be
    // ready, lets them read, waits until they have, and releases the mutex once. A tool that does
    // not answer within MonitorHandshakeStep is taken as gone.
    void WaitMonitorReaders();

  private:
    explicit TMonitorChannel(std::unique_ptr<TNamedSharedMemory> memory);
    void WaitForReadyReaders();
    void WaitForReadersDone();

    std::unique_ptr<TNamedSharedMemory> memory_;
    TMonitorSharedBlock block_;
    std::unique_ptr<TSharedMutex> mutex_;
    std::unique_ptr<TSharedEvent> writeEvent_;
    std::unique_ptr<TSharedEvent> writeFinishedEvent_;
    std::unique_ptr<TSharedEvent> readEvent_;
    std::unique_ptr<TSharedEvent> readFinishedEvent_;
};
