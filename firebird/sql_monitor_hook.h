#pragma once
// The trace hook: statements, databases, transactions and services call it at each step; it
// tells the application's handlers, and when a monitor tool listens to the step's category it
// builds the text and hands it to the writer thread. Without a listener a call costs two flag
// tests and a counter read.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "firebird/sql_monitor_channel.h"
#include "firebird/sql_monitor_sources.h"
#include "firebird/sql_monitor_texts.h"
#include "platform/rtl/component.h"

class TMonitorModule;

class TFIBSQLMonitorHook : public TObject {
  public:
    // Opens the channel; when that fails the hook disables itself instead of failing.
    explicit TFIBSQLMonitorHook(TMonitorModule& module);
    ~TFIBSQLMonitorHook() override;
    std::string ClassName() const override { return "TFIBSQLMonitorHook"; }

    // Raises client error 54 when the channel's objects cannot be made or opened.
    void OpenSharedResources();
    bool ChannelOpen() const { return channelView_.load() != nullptr; }
    std::int32_t MonitorCount() const;  // 0 while the channel is not open

    bool Enabled() const { return enabled_.load(); }
    // Disabling also ends the writer thread.
    void SetEnabled(bool value);

    // Sends the text under the program's name. Statements call it directly for their failures.
    void WriteTrace(std::string_view text, int category);

    virtual void TracePrepare(ITracedStatement& statement);
    virtual void TraceExecute(ITracedStatement& statement);
    virtual void TraceFetch(ITracedStatement& statement);
    virtual void TraceConnect(ITracedDatabase& database);
    virtual void TraceDisconnect(ITracedDatabase& database);
    virtual void TraceStartTransaction(ITracedTransaction& transaction);
    virtual void TraceCommit(ITracedTransaction& transaction);
    virtual void TraceSavepoint(ITracedTransaction& transaction, std::string_view savepointName,
                                TSavepointKind kind);
    virtual void TraceCommitRetaining(ITracedTransaction& transaction);
    virtual void TraceRollback(ITracedTransaction& transaction);
    virtual void TraceRollbackRetaining(ITracedTransaction& transaction);
    virtual void TraceServiceAttach(std::string_view serviceName);
    virtual void TraceServiceDetach(std::string_view serviceName);
    virtual void TraceServiceQuery(std::string_view serviceName);
    virtual void TraceServiceStart(std::string_view serviceName);

    // Called on the tracing thread before the text is built, whether or not a tool listens.
    std::function<void(ITracedDatabase&)> OnConnect;
    std::function<void(ITracedDatabase&)> OnDisconnect;
    std::function<void(ITracedStatement&)> OnExecute;
    std::function<void(ITracedStatement&)> OnFetch;
    std::function<void(ITracedStatement&)> OnPrepare;
    std::function<void(ITracedTransaction&)> OnStartTransaction;
    std::function<void(ITracedTransaction&)> OnCommit;
    std::function<void(ITracedTransaction&)> OnCommitRetaining;
    std::function<void(ITracedTransaction&)> OnRollback;
    std::function<void(ITracedTransaction&)> OnRollbackRetaining;

  private:
    bool Active() const;
    bool Listening(int category) const;
    void Queue(std::string message, int category);
    template <typename Object, typename AppendText>
    void Trace(const std::function<void(Object&)>& handler, Object& object, int category,
               AppendText appendText);
    void TraceTransaction(const std::function<void(ITracedTransaction&)>& handler,
                          ITracedTransaction& transaction, TTransactionStep step);
    void TraceService(std::string_view serviceName, TServiceStep step);

    TMonitorModule& module_;
    std::string header_;  // the program's header, in front of every text
    std::atomic<bool> enabled_{true};
    std::mutex openLock_;
    std::unique_ptr<TMonitorChannel> channel_;  // set once, under openLock_
    std::atomic<TMonitorChannel*> channelView_{nullptr};
};
