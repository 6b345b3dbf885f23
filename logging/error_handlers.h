#pragma once
// What an appender does with its own failures: report them once, or swap in a backup appender.
#include <memory>
#include <mutex>
#include <vector>

#include "logging/log_interfaces.h"

class TLogCustomErrorHandler : public ILogErrorHandler {
  public:
    void SetAppender(const ILogAppenderPtr& appender) override;
    void SetBackupAppender(const ILogAppenderPtr& appender) override;
    void SetLogger(TLogLogger* logger) override;
    using ILogErrorHandler::Error;
    // The detailed report as one text: "message - (code) error message".
    void Error(std::string_view message, const std::exception* error, int errorCode,
               const TLogEvent* event) override;

    ILogAppenderPtr Appender() const { return appender_.lock(); }
    ILogAppenderPtr BackupAppender() const { return backupAppender_; }
    TLogLogger* Logger() const { return logger_; }

  protected:
    // Weak: the appender owns its handler, which must not keep it alive in turn.
    std::weak_ptr<ILogAppender> appender_;
    ILogAppenderPtr backupAppender_;
    TLogLogger* logger_ = nullptr;
};

// Reports the first error to the internal logger at level error and drops the rest.
class TLogOnlyOnceErrorHandler : public TLogCustomErrorHandler {
  public:
    using TLogCustomErrorHandler::Error;
    void Error(std::string_view message) override;
    bool SeenError() const { return seenError_; }

  private:
    bool seenError_ = false;
};

// On every error replaces the failing appender with the backup in each logger it was given.
class TLogFallbackErrorHandler : public TLogCustomErrorHandler {
  public:
    void SetLogger(TLogLogger* logger) override;
    using TLogCustomErrorHandler::Error;
    void Error(std::string_view message) override;

  private:
    std::vector<TLogLogger*> loggers_;  // not owned
};
