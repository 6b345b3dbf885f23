#pragma once
// The texts the trace channel sends, built on the tracing thread, and their shaping for the
// shared block: escaping of control characters and splitting into chunks.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "firebird/sql_monitor_sources.h"

std::string PrepareTraceText(const ITracedStatement& statement);
std::string ExecuteTraceText(const ITracedStatement& statement);
std::string FetchTraceText(const ITracedStatement& statement);
// The fetch text appended to out, for the hook that traces every row.
void AppendFetchTraceText(std::string& out, const ITracedStatement& statement);
std::string ConnectTraceText(const ITracedDatabase& database);
std::string DisconnectTraceText(const ITracedDatabase& database);

// The five transaction steps, each with its own tag.
enum class TTransactionStep { Start, Commit, CommitRetaining, Rollback, RollbackRetaining };
std::string TransactionTraceText(const ITracedTransaction& transaction, TTransactionStep step);
std::string SavepointTraceText(const ITracedTransaction& transaction, std::string_view savepointName,
                               TSavepointKind kind);

enum class TServiceStep { Attach, Detach, Query, Start };
std::string ServiceTraceText(std::string_view serviceName, TServiceStep step);

// What a monitor tool reads in place of texts the writer dropped because the tools did not keep
// up: "[Dropped] <count> trace texts: the monitor tools did not keep up".
std::string DroppedTraceText(std::size_t count);

// CR LF "[Application: <program>]" CR LF in front of the text.
std::string ApplicationHeader(std::string_view programName);
std::string WithApplicationHeader(std::string_view programName, std::string_view text);

// Every byte below 32 other than LF and CR becomes "#$" and its code in two upper-case hex digits.
std::string EscapeTraceText(std::string_view text);
// The same into a buffer the caller keeps, so a writer of many texts reuses its room.
void EscapeTraceTextInto(std::string& escaped, std::string_view text);

constexpr std::size_t MonitorChunkSize = 2002;
// The text in pieces of at most MonitorChunkSize bytes, in order; none for an empty text.
std::vector<std::string_view> SplitTraceChunks(std::string_view text);
