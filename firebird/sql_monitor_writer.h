#pragma once
// The background thread that writes queued trace texts into the shared block, one chunk per
// handshake with the monitor tools, so the threads that trace never wait for a tool.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "firebird/sql_monitor_channel.h"
#include "platform/rtl/datetime.h"

struct TFIBTraceObject {
    std::string Text;
    int Category = 0;
    TDateTime TimeStamp = 0;  // when it was queued
};

// The module's flags the thread reads; the module owns them and outlives the thread.
struct TMonitorWriterFlags {
    const std::atomic<bool>& Shutdown;
    const std::atomic<bool>& Enabled;
};

class TMonitorWriterThread {
  public:
    // Starts the thread at once.
    TMonitorWriterThread(TMonitorChannel& channel, TMonitorWriterFlags flags);
    // Terminates the thread and waits for it; messages still queued are dropped.
    ~TMonitorWriterThread();
    TMonitorWriterThread(const TMonitorWriterThread&) = delete;
    TMonitorWriterThread& operator=(const TMonitorWriterThread&) = delete;

    // Queues the text while some tool listens; false when none does (the thread is not needed).
    bool AddMessage(std::string text, int category);
    // Terminate lets the thread write what is queued first; a stop request ends it after the
    // message in hand.
    void Terminate();
    void RequestStop();
    std::size_t QueuedCount() const;

  private:
    void Execute();
    bool KeepRunning();
    void IdleWait();
    void DropAll();
    void DropOldest();
    void WriteTraceChunks();

    TMonitorChannel& channel_;
    TMonitorWriterFlags flags_;
    mutable std::mutex queueLock_;
    std::condition_variable wake_;
    std::deque<TFIBTraceObject> queue_;  // oldest first
    bool terminated_ = false;
    bool stopRequested_ = false;
    std::thread thread_;
};
