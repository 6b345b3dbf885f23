#pragma once
// Base of the appenders: threshold, filter chain, layout, error handler and a re-entrant lock.
// A failure while formatting or writing an event goes to the error handler, never to the caller.
// The public entry points take the lock once; the protected hooks below run with it held and
// take no lock of their own, so one event costs one lock however deep the class chain is.
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "logging/log_interfaces.h"
#include "logging/log_level.h"
#include "platform/os/critical_section.h"

class TLogCustomAppender : public ILogAppender {
  public:
    TLogCustomAppender();
    TLogCustomAppender(std::string_view name, ILogLayoutPtr layout);  // no layout: a simple one
    ~TLogCustomAppender() override;

    void SetOption(std::string_view name, std::string_view value) override;

    void DoAppend(const TLogEvent& event) override;
    void Close() override;
    std::string GetName() override;
    void SetName(std::string_view name) override;
    ILogLayoutPtr GetLayout() override;
    void SetLayout(ILogLayoutPtr layout) override;
    ILogErrorHandlerPtr GetErrorHandler() override;
    void SetErrorHandler(ILogErrorHandlerPtr handler) override;
    void AddFilter(ILogFilterPtr filter) override;
    void RemoveFilter(const ILogFilterPtr& filter) override;
    void RemoveAllFilters() override;
    bool RequiresLayout() override { return true; }

    bool Closed() const { return closed_; }
    const TLogLevel* Threshold() const { return threshold_.load(std::memory_order_relaxed); }
    void SetThreshold(const TLogLevel* level) { threshold_.store(level, std::memory_order_relaxed); }

  protected:
    // Hooks, called with the appender's lock held.
    virtual bool CheckEntryConditions();
    virtual bool CheckFilters(const TLogEvent& event);
    virtual void Append(const TLogEvent& event);
    virtual void DoAppendText(std::string_view text) = 0;
    virtual void WriteFooter();
    virtual void WriteHeader();
    // Hands a failure of this appender to its error handler; nothing escapes.
    void ReportFailure(const std::exception* error, int errorCode, const TLogEvent* event);

    // For the entry points of derived appenders (options, roll-over); re-entrant.
    TCriticalSection& Lock() { return lock_; }

  private:
    // A longer line's buffer is let go rather than kept for the life of the appender.
    static constexpr std::size_t MaxKeptLineBuffer = 64 * 1024;

    bool closed_ = false;
    ILogErrorHandlerPtr errorHandler_;
    std::vector<ILogFilterPtr> filters_;
    ILogLayoutPtr layout_;
    std::string name_;
    std::atomic<const TLogLevel*> threshold_;
    TCriticalSection lock_;
    std::string lineBuffer_;  // kept from line to line, so a line costs no allocation
};
