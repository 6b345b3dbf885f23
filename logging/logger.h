#pragma once
// Named loggers. Take one by name (TLogLogger::GetLogger("TMainForm")) and log through it:
//   log->Info("Start application");
//   log->Error("Request failed", &e);
//   log->Debug("POST %s", {url});
// A call below the logger's effective level or the hierarchy's threshold costs two comparisons.
#include <atomic>
#include <exception>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logging/log_interfaces.h"
#include "logging/log_level.h"
#include "platform/os/critical_section.h"
#include "platform/rtl/format.h"

class TLogHierarchy;

class TLogLogger : public TLogOptionHandler {
  public:
    explicit TLogLogger(std::string name);
    ~TLogLogger() override;
    TLogLogger(const TLogLogger&) = delete;
    TLogLogger& operator=(const TLogLogger&) = delete;

    // The logger of that name in the process-wide hierarchy, made (with its missing ancestors)
    // when it does not exist yet. The hierarchy owns it for the life of the process.
    static TLogLogger* GetLogger(std::string_view name, ILogLoggerFactory* factory = nullptr);

    // Builds an event and hands it to the appenders, without a level test.
    virtual void Log(const TLogLevel* level, std::string_view message, const std::exception* error = nullptr);
    virtual void Log(const TLogLevel* level, const TLogObject& message,
                     const std::exception* error = nullptr);
    virtual const TLogLevel* GetEffectiveLevel() const;

    void Debug(std::string_view message, const std::exception* error = nullptr);
    void Debug(const TLogObject& message, const std::exception* error = nullptr);
    void Debug(std::string_view format, std::initializer_list<FormatArg> args,
               const std::exception* error = nullptr);
    void Error(std::string_view message, const std::exception* error = nullptr);
    void Error(const TLogObject& message, const std::exception* error = nullptr);
    void Error(std::string_view format, std::initializer_list<FormatArg> args,
               const std::exception* error = nullptr);
    void Fatal(std::string_view message, const std::exception* error = nullptr);
    void Fatal(const TLogObject& message, const std::exception* error = nullptr);
    void Fatal(std::string_view format, std::initializer_list<FormatArg> args,
               const std::exception* error = nullptr);
    void Info(std::string_view message, const std::exception* error = nullptr);
    void Info(const TLogObject& message, const std::exception* error = nullptr);
    void Info(std::string_view format, std::initializer_list<FormatArg> args,
              const std::exception* error = nullptr);
    void Warn(std::string_view message, const std::exception* error = nullptr);
    void Warn(const TLogObject& message, const std::exception* error = nullptr);
    void Warn(std::string_view format, std::initializer_list<FormatArg> args,
              const std::exception* error = nullptr);

    bool IsEnabledFor(const TLogLevel* level) const;
    bool IsDebugEnabled() const { return IsEnabledFor(TLogLevel::Debug()); }

    void AddAppender(ILogAppenderPtr appender);
    void RemoveAppender(const ILogAppenderPtr& appender);
    void RemoveAllAppenders();
    void CloseAllAppenders();
    std::vector<ILogAppenderPtr> Appenders() const;

    const std::string& Name() const { return name_; }
    bool Additive() const { return additive_.load(std::memory_order_relaxed); }
    void SetAdditive(bool additive) { additive_.store(additive, std::memory_order_relaxed); }
    const TLogLevel* Level() const { return level_.load(std::memory_order_relaxed); }
    virtual void SetLevel(const TLogLevel* level);  // nullptr: inherit the parent's
    TLogLogger* Parent() const { return parent_; }
    void SetParent(TLogLogger* parent) { parent_ = parent; }
    TLogHierarchy* Hierarchy() const { return hierarchy_; }
    void SetHierarchy(TLogHierarchy* hierarchy) { hierarchy_ = hierarchy; }

    // The logger's lock, taken around its appender list and its dispatch.
    TCriticalSection& Lock() { return lock_; }

  protected:
    // Hands the event to this logger's appenders and, while additive, to its ancestors'.
    void CallAppenders(const TLogEvent& event);

  private:
    using AppenderList = std::vector<ILogAppenderPtr>;

    bool PassesThreshold(const TLogLevel* level) const;
    bool ShouldLog(const TLogLevel* level) const { return PassesThreshold(level) && IsEnabledFor(level); }
    void LogFormatted(const TLogLevel* level, std::string_view format, std::initializer_list<FormatArg> args,
                      const std::exception* error);
    // Hands the event on from this logger up, holding each logger's lock in turn (this one's is
    // held by the caller); the count of appenders it reached.
    int DispatchUpward(const TLogEvent& event);
    std::shared_ptr<const AppenderList> AppenderSnapshot() const;

    std::atomic<bool> additive_{true};
    // Copied on change, so a dispatch walks a stable list even when an error handler swaps
    // appenders in the middle of it.
    std::shared_ptr<const AppenderList> appenders_;
    TLogHierarchy* hierarchy_ = nullptr;
    std::atomic<const TLogLevel*> level_{nullptr};
    std::string name_;
    TLogLogger* parent_ = nullptr;
    mutable TCriticalSection lock_;
};
