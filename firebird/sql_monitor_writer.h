#pragma once
// The background thread that writes queued trace texts into the shared block, one chunk per
// handshake with the monitor tools, so the threads that trace never wait for a tool. The queue
// holds a bounded number of bytes: when the tools cannot keep up, the oldest texts give way to the
// newest, and the tools are told how many they missed before the next text they get. The thread
// runs at the lowest priority, so it writes on a core the tracing threads leave free instead of
// taking theirs; the bound keeps what waits for it.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "firebird/sql_monitor_channel.h"

struct TFIBTraceObject {
    std::string Text;
    int Category = 0;
    // When it was queued, as the clock's UTC milliseconds: the local time the tools read is worked
    // out on the writer thread, off the tracing thread's path.
    std::int64_t QueuedUnixMillis = 0;
};

// The module's flags the thread reads; the module owns them and outlives the thread.
struct TMonitorWriterFlags {
    const std::atomic<bool>& Shutdown;
    const std::atomic<bool>& Enabled;
};

// A few megabytes: a second or more of texts for a tool that keeps up, and a fixed cost per process
// for one that does not.
constexpr std::size_t DefaultTraceQueueBound = 4u << 20;

class TMonitorWriterThread {
  public:
    // Starts the thread at once.
    TMonitorWriterThread(TMonitorChannel& channel, TMonitorWriterFlags flags,
                         std::size_t queueBound = DefaultTraceQueueBound);
    // Terminates the thread and waits for it; messages still queued are dropped.
    ~TMonitorWriterThread();
    TMonitorWriterThread(const TMonitorWriterThread&) = delete;
    TMonitorWriterThread& operator=(const TMonitorWriterThread&) = delete;

    // Queues the text while some tool listens, dropping the oldest texts when the queue would
    // hold more than its bound (the newest text is always kept); false when no tool listens (the
    // thread is not needed).
    bool AddMessage(std::string text, int category);
    // Terminate lets the thread write what is queued first; a stop request ends it after the
    // message in hand.
    void Terminate();
    void RequestStop();
    std::size_t QueuedCount() const;
    // The heap bytes the queued texts take.
    std::size_t QueuedBytes() const;

  private:
    struct TTaken {
        TFIBTraceObject Message;
        std::size_t DroppedBefore = 0;
    };

    void Execute();
    bool KeepRunning();
    void IdleWait();
    void DropAll();
    std::optional<TTaken> TakeOldest();
    void WriteTraceChunks();
    void WriteMessage(const TFIBTraceObject& message);
    static std::size_t Cost(const TFIBTraceObject& message);

    TMonitorChannel& channel_;
    TMonitorWriterFlags flags_;
    const std::size_t queueBound_;
    const std::string programName_;
    mutable std::mutex queueLock_;
    std::condition_variable wake_;
    std::deque<TFIBTraceObject> queue_;  // oldest first
    std::size_t queuedBytes_ = 0;
    std::size_t dropped_ = 0;  // since the last text taken for writing
    bool terminated_ = false;
    bool stopRequested_ = false;
    std::string escaped_;  // the writer thread's room for the text being written
    std::thread thread_;
};
