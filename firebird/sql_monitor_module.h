#pragma once
// The trace channel's process state: the hook, made on first use, the writer thread, made on the
// first text that meets a listening tool, and the flags both read. The program has one module
// under the channel's own names; tests make their own under a name prefix of their own.
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "firebird/sql_monitor_hook.h"
#include "firebird/sql_monitor_writer.h"
#include "platform/os/critical_section.h"

class TMonitorModule {
  public:
    explicit TMonitorModule(std::string namePrefix = {}, std::size_t queueBound = DefaultTraceQueueBound);
    // Shutdown: the writer thread is stopped and awaited, then the hook goes.
    ~TMonitorModule();
    TMonitorModule(const TMonitorModule&) = delete;
    TMonitorModule& operator=(const TMonitorModule&) = delete;

    // Made on the first call; nullptr once shutdown has begun.
    TFIBSQLMonitorHook* GetMonitorHook();
    std::atomic<bool>& MonitorHookEnabled() { return enabled_; }
    const std::string& NamePrefix() const { return namePrefix_; }

    // Hands the text to the writer thread, made here when a tool listens; with none listening the
    // thread is let go. Both happen under the module's lock.
    void QueueTrace(TMonitorChannel& channel, std::string text, int category);
    void FreeWriterThread();
    bool HasWriterThread();
    std::size_t QueuedCount();
    std::size_t QueuedBytes();

  private:
    std::string namePrefix_;
    std::size_t queueBound_;
    TCriticalSection lock_;
    std::atomic<bool> shutdown_{false};
    std::atomic<bool> enabled_{true};
    std::unique_ptr<TFIBSQLMonitorHook> hook_;
    std::atomic<TFIBSQLMonitorHook*> hookView_{nullptr};
    std::unique_ptr<TMonitorWriterThread> writer_;
};

// The program's module, under the channel's own names.
TMonitorModule& DefaultMonitorModule();
TFIBSQLMonitorHook* GetMonitorHook();
std::atomic<bool>& MonitorHookEnabled();
