#pragma once
// The framework's own logger: its diagnostics go to the debug output through a simple layout.
// Debug messages pass only while InternalDebugging is on ("applog.configDebug").
#include <atomic>

#include "logging/logger.h"

class TLogLog : public TLogLogger {
  public:
    TLogLog();
    void Log(const TLogLevel* level, std::string_view message,
             const std::exception* error = nullptr) override;
    void Log(const TLogLevel* level, const TLogObject& message,
             const std::exception* error = nullptr) override;

    bool InternalDebugging() const { return internalDebugging_.load(std::memory_order_relaxed); }
    void SetInternalDebugging(bool on) { internalDebugging_.store(on, std::memory_order_relaxed); }

  private:
    bool Drops(const TLogLevel* level) const;
    std::atomic<bool> internalDebugging_{false};
};

// The one internal logger of the process.
TLogLog& LogLog();
