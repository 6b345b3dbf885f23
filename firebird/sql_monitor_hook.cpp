#include "firebird/sql_monitor_hook.h"

#include "firebird/fib_errors.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/sql_monitor_texts.h"
#include "platform/os/paths.h"

TFIBSQLMonitorHook::TFIBSQLMonitorHook(TMonitorModule& module)
    : module_(module), header_(ApplicationHeader(ExtractFileName(ExecutablePath()))) {
    try {
        OpenSharedResources();
    } catch (const EFIBError&) {
        SetEnabled(false);
    }
}

TFIBSQLMonitorHook::~TFIBSQLMonitorHook() = default;

void TFIBSQLMonitorHook::OpenSharedResources() {
    std::lock_guard lock(openLock_);
    if (channel_)
        return;
    channel_ = TMonitorChannel::Open(module_.NamePrefix());
    channelView_.store(channel_.get());
}

std::int32_t TFIBSQLMonitorHook::MonitorCount() const {
    const TMonitorChannel* channel = channelView_.load();
    return channel ? channel->MonitorCount() : 0;
}

void TFIBSQLMonitorHook::SetEnabled(bool value) {
    enabled_.store(value);
    if (!value)
        module_.FreeWriterThread();
}

void TFIBSQLMonitorHook::WriteTrace(std::string_view text, int category) {
    std::string message;
    message.reserve(header_.size() + text.size());
    message.append(header_).append(text);
    Queue(std::move(message), category);
}

// The message already carries the program's header; it is moved, never copied, into the queue.
void TFIBSQLMonitorHook::Queue(std::string message, int category) {
    if (!ChannelOpen()) {
        try {
            OpenSharedResources();
        } catch (const EFIBError&) {
            SetEnabled(false);
            return;
        }
    }
    module_.QueueTrace(*channelView_.load(), std::move(message), category);
}

bool TFIBSQLMonitorHook::Active() const {
    return enabled_.load() && module_.MonitorHookEnabled().load();
}

bool TFIBSQLMonitorHook::Listening(int category) const {
    const TMonitorChannel* channel = channelView_.load();
    if (!channel || channel->MonitorCount() <= 0)
        return false;
    const auto listeners = channel->Block().CategoryListeners(category);
    return !listeners || listeners->load() > 0;
}

template <typename Object, typename AppendText>
void TFIBSQLMonitorHook::Trace(const std::function<void(Object&)>& handler, Object& object, int category,
                               AppendText appendText) {
    if (!Active())
        return;
    if (handler)
        handler(object);
    if (!Listening(category))
        return;
    // Room for a typical row's fetch text, so it is built in one allocation.
    std::string message;
    message.reserve(header_.size() + 240);
    message.append(header_);
    appendText(message);
    Queue(std::move(message), category);
}

void TFIBSQLMonitorHook::TracePrepare(ITracedStatement& statement) {
    Trace(OnPrepare, statement, mcPrepare, [&](std::string& out) { out += PrepareTraceText(statement); });
}

void TFIBSQLMonitorHook::TraceExecute(ITracedStatement& statement) {
    Trace(OnExecute, statement, mcExecute, [&](std::string& out) { out += ExecuteTraceText(statement); });
}

void TFIBSQLMonitorHook::TraceFetch(ITracedStatement& statement) {
    Trace(OnFetch, statement, mcFetch, [&](std::string& out) { AppendFetchTraceText(out, statement); });
}

void TFIBSQLMonitorHook::TraceConnect(ITracedDatabase& database) {
    Trace(OnConnect, database, mcConnect, [&](std::string& out) { out += ConnectTraceText(database); });
}

void TFIBSQLMonitorHook::TraceDisconnect(ITracedDatabase& database) {
    Trace(OnDisconnect, database, mcConnect, [&](std::string& out) { out += DisconnectTraceText(database); });
}

void TFIBSQLMonitorHook::TraceTransaction(const std::function<void(ITracedTransaction&)>& handler,
                                          ITracedTransaction& transaction, TTransactionStep step) {
    if (!Active())
        return;
    if (handler)
        handler(transaction);
    if (transaction.HasDefaultDatabase() && Listening(mcTransaction))
        WriteTrace(TransactionTraceText(transaction, step), mcTransaction);
}

void TFIBSQLMonitorHook::TraceStartTransaction(ITracedTransaction& transaction) {
    TraceTransaction(OnStartTransaction, transaction, TTransactionStep::Start);
}

void TFIBSQLMonitorHook::TraceCommit(ITracedTransaction& transaction) {
    TraceTransaction(OnCommit, transaction, TTransactionStep::Commit);
}

void TFIBSQLMonitorHook::TraceSavepoint(ITracedTransaction& transaction, std::string_view savepointName,
                                        TSavepointKind kind) {
    if (Active() && transaction.HasDefaultDatabase() && Listening(mcTransaction))
        WriteTrace(SavepointTraceText(transaction, savepointName, kind), mcTransaction);
}

void TFIBSQLMonitorHook::TraceCommitRetaining(ITracedTransaction& transaction) {
    TraceTransaction(OnCommitRetaining, transaction, TTransactionStep::CommitRetaining);
}

void TFIBSQLMonitorHook::TraceRollback(ITracedTransaction& transaction) {
    TraceTransaction(OnRollback, transaction, TTransactionStep::Rollback);
}

void TFIBSQLMonitorHook::TraceRollbackRetaining(ITracedTransaction& transaction) {
    TraceTransaction(OnRollbackRetaining, transaction, TTransactionStep::RollbackRetaining);
}

void TFIBSQLMonitorHook::TraceService(std::string_view serviceName, TServiceStep step) {
    if (Active() && Listening(mcService))
        WriteTrace(ServiceTraceText(serviceName, step), mcService);
}

void TFIBSQLMonitorHook::TraceServiceAttach(std::string_view serviceName) {
    TraceService(serviceName, TServiceStep::Attach);
}

void TFIBSQLMonitorHook::TraceServiceDetach(std::string_view serviceName) {
    TraceService(serviceName, TServiceStep::Detach);
}

void TFIBSQLMonitorHook::TraceServiceQuery(std::string_view serviceName) {
    TraceService(serviceName, TServiceStep::Query);
}

void TFIBSQLMonitorHook::TraceServiceStart(std::string_view serviceName) {
    TraceService(serviceName, TServiceStep::Start);
}
