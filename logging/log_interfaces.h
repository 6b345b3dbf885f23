#pragma once
// The interfaces through which loggers, appenders, layouts, filters and error handlers meet.
// Objects are shared by reference count (std::shared_ptr).
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "logging/log_option_handler.h"

class TLogEvent;
class TLogLogger;
class ILogAppender;

class ILogLayout : public TLogOptionHandler {
  public:
    virtual std::string Format(const TLogEvent& event) = 0;
    // Adds the formatted event to out; a layout that can build it in place there overrides this.
    virtual void AppendFormatted(const TLogEvent& event, std::string& out) { out += Format(event); }
    virtual std::string GetContentType() = 0;
    virtual std::string GetHeader() = 0;
    virtual std::string GetFooter() = 0;
    virtual bool IgnoresException() = 0;
};

enum class TLogFilterDecision { fdDeny = 0, fdNeutral = 1, fdAccept = 2 };

class ILogFilter : public TLogOptionHandler {
  public:
    virtual TLogFilterDecision Decide(const TLogEvent& event) = 0;
};

class ILogErrorHandler : public TLogOptionHandler {
  public:
    virtual void SetAppender(const std::shared_ptr<ILogAppender>& appender) = 0;
    virtual void SetBackupAppender(const std::shared_ptr<ILogAppender>& appender) = 0;
    virtual void SetLogger(TLogLogger* logger) = 0;
    virtual void Error(std::string_view message) = 0;
    virtual void Error(std::string_view message, const std::exception* error, int errorCode,
                       const TLogEvent* event) = 0;
};

class ILogAppender : public TLogOptionHandler {
  public:
    virtual void DoAppend(const TLogEvent& event) = 0;
    virtual void Close() = 0;
    virtual std::string GetName() = 0;
    virtual void SetName(std::string_view name) = 0;
    virtual std::shared_ptr<ILogLayout> GetLayout() = 0;
    virtual void SetLayout(std::shared_ptr<ILogLayout> layout) = 0;
    virtual std::shared_ptr<ILogErrorHandler> GetErrorHandler() = 0;
    virtual void SetErrorHandler(std::shared_ptr<ILogErrorHandler> handler) = 0;
    virtual void AddFilter(std::shared_ptr<ILogFilter> filter) = 0;
    virtual void RemoveFilter(const std::shared_ptr<ILogFilter>& filter) = 0;
    virtual void RemoveAllFilters() = 0;
    virtual bool RequiresLayout() = 0;
};

using ILogAppenderPtr = std::shared_ptr<ILogAppender>;
using ILogLayoutPtr = std::shared_ptr<ILogLayout>;
using ILogFilterPtr = std::shared_ptr<ILogFilter>;
using ILogErrorHandlerPtr = std::shared_ptr<ILogErrorHandler>;

class ILogLoggerFactory {
  public:
    virtual ~ILogLoggerFactory() = default;
    virtual std::unique_ptr<TLogLogger> MakeNewLoggerInstance(std::string_view name) = 0;
};

// Objects that the object form of the logging calls accepts: a class with a parent, so that a
// renderer registered for an ancestor class serves its descendants too.
struct TLogClass {
    std::string Name;
    const TLogClass* Parent = nullptr;
};

class TLogObject {
  public:
    virtual ~TLogObject() = default;
    virtual const TLogClass& LogClass() const = 0;
};

class ILogRenderer : public TLogOptionHandler {
  public:
    virtual std::string Render(const TLogObject& object) = 0;
};
