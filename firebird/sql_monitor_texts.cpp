#include "firebird/sql_monitor_texts.h"

#include <array>
#include <exception>

namespace {

constexpr std::string_view CRLF = "\r\n";

constexpr int SqlTypeText = 452;
constexpr int SqlTypeVarying = 448;
constexpr int SqlTypeBlob = 520;
constexpr int SqlTypeArray = 540;

std::string ParamValueText(const ITracedValue& value) {
    try {
        if (value.IsNull())
            return "<NULL>";
        std::string text;
        switch (value.SqlType()) {
            case SqlTypeText:
            case SqlTypeVarying:
                text += '\'';
                value.AppendText(text);
                text += '\'';
                return text;
            case SqlTypeBlob:
                return "<BLOB>";
            case SqlTypeArray:
                return "<ARRAY>";
            default:
                value.AppendText(text);
                return text;
        }
    } catch (const std::exception&) {
        return "<Can't print value>";
    }
}

// Appended in place: a fetch is traced for every row, so no temporary texts. A value that fails
// half way is taken back before its notice goes in.
void AppendColumnValueText(std::string& out, const ITracedValue& value) {
    const std::size_t start = out.size();
    try {
        if (value.IsNull())
            out += "NULL";
        else
            value.AppendText(out);
    } catch (const std::exception&) {
        out.resize(start);
        out += "<Can't print value>";
    }
}

std::string_view TransactionTag(TTransactionStep step) {
    switch (step) {
        case TTransactionStep::Start:
            return ": [Start transaction](";
        case TTransactionStep::Commit:
            return ": [Commit (Hard commit)](";
        case TTransactionStep::CommitRetaining:
            return ": [Commit retaining (Soft commit)](";
        case TTransactionStep::Rollback:
            return ": [Rollback](";
        case TTransactionStep::RollbackRetaining:
            return ": [Rollback retaining (Soft rollback)](";
    }
    return "";
}

std::string_view SavepointTag(TSavepointKind kind) {
    switch (kind) {
        case TSavepointKind::Set:
            return " [SetSavePoint(";
        case TSavepointKind::RollbackTo:
            return " [RollBackToSavePoint(";
        case TSavepointKind::Release:
            return " [ReleaseSavePoint(";
    }
    return "";
}

std::string_view ServiceTag(TServiceStep step) {
    switch (step) {
        case TServiceStep::Attach:
            return ": [Attach]";
        case TServiceStep::Detach:
            return ": [Detach]";
        case TServiceStep::Query:
            return ": [Query]";
        case TServiceStep::Start:
            return ": [Start]";
    }
    return "";
}

}  // namespace

std::string PrepareTraceText(const ITracedStatement& statement) {
    std::string text = statement.TraceName() + ": [Prepare] " + statement.SQLText() + std::string(CRLF);
    try {
        text += "  Plan: " + statement.PlanText();
    } catch (const std::exception&) {
        text += "  Plan: Can't retrieve plan ";
    }
    return text;
}

std::string ExecuteTraceText(const ITracedStatement& statement) {
    std::string text = statement.TraceName() + ": [Execute] " + statement.SQLText();
    statement.ForEachParam([&text](const ITracedValue& param) {
        text.append(CRLF).append("  ").append(param.Name()).append(" = ").append(ParamValueText(param));
    });
    if (statement.ChangesRows())
        text += std::string(CRLF) + "Rows Affected:  " + std::to_string(statement.RowsAffected());
    text += std::string(CRLF) + "Execute tick count " + std::to_string(statement.ExecuteMillis());
    return text;
}

void AppendFetchTraceText(std::string& out, const ITracedStatement& statement) {
    out.reserve(out.size() + statement.SQLText().size() + 256);  // the usual row in one allocation
    out.append(CRLF).append(statement.TraceName()).append(": [Fetch] ").append(statement.SQLText());
    statement.ForEachColumn([&out](const ITracedValue& column) {
        out.append(column.Name()).append(" = ");
        AppendColumnValueText(out, column);
        out.append(CRLF);
    });
    if (statement.Eof())
        out.append(CRLF).append("  End of file reached");
}

std::string FetchTraceText(const ITracedStatement& statement) {
    std::string text;
    AppendFetchTraceText(text, statement);
    return text;
}

std::string ConnectTraceText(const ITracedDatabase& database) {
    return database.TraceName() + ": [Connect]";
}

std::string DisconnectTraceText(const ITracedDatabase& database) {
    return database.TraceName() + ": [Disconnect]";
}

std::string TransactionTraceText(const ITracedTransaction& transaction, TTransactionStep step) {
    return transaction.TraceName() + std::string(TransactionTag(step)) +
           std::to_string(transaction.TransactionID()) + ")";
}

std::string SavepointTraceText(const ITracedTransaction& transaction, std::string_view savepointName,
                               TSavepointKind kind) {
    return transaction.TraceName() + ": Transaction(" + std::to_string(transaction.TransactionID()) + ") -" +
           std::string(SavepointTag(kind)) + "\"" + std::string(savepointName) + "\")]";
}

std::string ServiceTraceText(std::string_view serviceName, TServiceStep step) {
    return std::string(serviceName) + std::string(ServiceTag(step));
}

std::string DroppedTraceText(std::size_t count) {
    return "[Dropped] " + std::to_string(count) + " trace texts: the monitor tools did not keep up";
}

std::string ApplicationHeader(std::string_view programName) {
    std::string header;
    header.append(CRLF).append("[Application: ").append(programName).append("]").append(CRLF);
    return header;
}

std::string WithApplicationHeader(std::string_view programName, std::string_view text) {
    std::string result = ApplicationHeader(programName);
    result.append(text);
    return result;
}

void EscapeTraceTextInto(std::string& escaped, std::string_view text) {
    static constexpr std::array<char, 16> hex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    escaped.clear();
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 || c == '\n' || c == '\r') {
            escaped += c;
            continue;
        }
        escaped += "#$";
        escaped += hex[code >> 4];
        escaped += hex[code & 15];
    }
}

std::string EscapeTraceText(std::string_view text) {
    std::string escaped;
    EscapeTraceTextInto(escaped, text);
    return escaped;
}

std::vector<std::string_view> SplitTraceChunks(std::string_view text) {
    std::vector<std::string_view> chunks;
    for (std::size_t at = 0; at < text.size(); at += MonitorChunkSize)
        chunks.push_back(text.substr(at, MonitorChunkSize));
    return chunks;
}
