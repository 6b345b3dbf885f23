#include "firebird/fib_errors.h"

#include <array>
#include <vector>

#include "firebird/component_path.h"
#include "firebird/status_vector.h"
#include "platform/rtl/component.h"

namespace {

constexpr std::array<const char*, ClientErrorCount> kClientErrorMessages = {
    "Unknown error.",
    "Unsupported feature.",
    "Not permitted.",
    "Temporary file access error.",
    "Database connection timed out.",
    "Cannot set database.",
    "Cannot set transaction.",
    "Operation cancelled at user's request.",
    "DPB Constant (isc_dpb_%s) is unsupported.",
    "DPB Constant (%s) is unknown.",
    "TPB Constant (isc_tpb_%s) is unsupported.",
    "TPB Constant (%s) is unknown.",
    "%s: Cannot perform operation -- DB is not open.",
    "Cannot perform operation -- DB is currently open.",
    "Database name is missing.",
    "%s :Transaction is not active.",
    "%s :Transaction is active.",
    "Timeout values cannot be negative.",
    "%s :No databases are listed in transaction component.",
    "%s :Updating wrong database.",
    "%s :Updating wrong transaction.",
    "Database not assigned for %s.",
    "Transaction not assigned for %s.",
    "XSQLDA index out of range.",
    "XSQLDA name does not exist (%s).",
    "End of file.",
    "Beginning of file.",
    "%s:Invalid statement handle.",
    "Can't %s because %s dataset open.",
    "Can't %s because %s dataset closed.",
    "Unknown SQL Data type (%d).",
    "Invalid column index (index exceeds permitted range).",
    "Invalid parameter index (index exceeds permitted range).",
    "Invalid data conversion.",
    "Column cannot be set to null (%s)",
    "Blob stream cannot be read.",
    "Blob stream cannot be written.",
    "Can't %s , because  query is empty",
    "Can't \"open\" a non-select statement. Use ExecQuery.",
    "No access to field \"%s\".",
    "Field \"%s\" is read-only.",
    "Field \"%s\" not found.",
    "DataSet not in Edit or Insert mode.(%s)",
    "Not editing.",
    "Can't insert into dataset. (%s)",
    "Can't post. (%s) ",
    "Can't update. (%s)",
    "Can't delete from dataset. (%s)",
    "Can't refresh row. (%s)",
    "Buffer not set.",
    "Circular references not permitted.(%s)",
    "SQL Parse Error in :%s \r\n\r\n%s",
    "User abort.",
    "Data set is uni-directional.",
    "Cannot create shared resource. (Windows error %d)",
    "Windows API error. (Windows error %d [$%.8x])",
    "Column lists do not match.",
    "Column types don't match. (From index: %d, To index: %d)",
    "Can't end a shared transaction unless it is forced and equal to the transaction's TimeoutAction.",
    "Column types \"%s\" is not array field",
    "Dimension %d don't exist in \"%s\" ",
    "SQL Dialect invalid",
    "InterBase library gds32.dll not found in the path. Please install InterBase to use this functionality",
    "%s is an InterBase6 function. Please upgrade to InterBase6 to use this functonality",
    "InterBase Install DLL ibinstall.dll not found in the path. Please install InterBase 6 to use this "
    "functionality",
    "Cannot perform operation -- service is not attached",
    "Cannot perform operation -- service is attached",
    "Server Name Missing",
    "Query Parameters missing or incorrect",
    "Start Parameters missing or incorrect",
    "Unexpected Output buffer value",
    "Generic ServiceStart not applicable: Use Specific Procedures to set configuration params",
    "SPB Constant Not supported",
    "SPB Constant Unknown",
    "Field Size too small. Field %s.%s",
};

IFIBErrorHandler* g_errorHandler = nullptr;

constexpr std::size_t kMessageBufferSize = 20480;
constexpr short kSqlMessageSize = 512;

std::string ZeroTerminated(const std::vector<char>& buffer) {
    return std::string(buffer.data());
}

void EndWithPoint(std::string& text) {
    if (!text.empty() && text.back() != '.')
        text += '.';
}

}  // namespace

// ---- EFIBError ----

std::string SenderPrefix(TObject* sender) {
    const auto* component = dynamic_cast<const TComponent*>(sender);
    return component ? ComponentPath(component) + ":\r\n" : std::string();
}

EFIBError::EFIBError(int code, TObject* sender, std::string_view message)
    : EDatabaseError(SenderPrefix(sender) + std::string(message)),
      SqlErrorCode(code),
      ServerErrorCode(static_cast<std::int32_t>(StatusVector()[1])),
      Sender(sender) {}

EFIBError::EFIBError(int code, TObject* sender, std::string sqlMessage, std::string serverMessage)
    : EFIBError(code, sender, sqlMessage + serverMessage) {
    SqlMessageText = std::move(sqlMessage);
    ServerMessage = std::move(serverMessage);
}

bool IsLockConflict(const EFIBError& error) {
    constexpr std::int32_t kDeadlockSqlCode = -913;
    constexpr std::int32_t kLockConflictSqlCode = -901;
    return error.SqlErrorCode == kDeadlockSqlCode ||
           (error.SqlErrorCode == kLockConflictSqlCode && error.ServerErrorCode == isc_lock_conflict);
}

int ErrorMessageParts() {
    return empSqlMessage | empServerMessages;
}

IFIBErrorHandler* ErrorHandlerHook() {
    return g_errorHandler;
}

void SetErrorHandlerHook(IFIBErrorHandler* handler) {
    g_errorHandler = handler;
}

// ---- server errors ----

void RaiseServerError(IIBClientLibrary& library, TObject* sender) {
    ISC_STATUS* status = StatusVector();
    const int parts = ErrorMessageParts();
    const ISC_LONG sqlCode = library.isc_sqlcode(status);
    std::vector<char> buffer(kMessageBufferSize, 0);
    std::string sqlMessage, serverMessage;
    if (parts & empSqlMessage) {
        library.isc_sql_interprete(static_cast<short>(sqlCode), buffer.data(), kSqlMessageSize);
        sqlMessage = ZeroTerminated(buffer);
        EndWithPoint(sqlMessage);
    }
    if (parts & empServerMessages) {
        ISC_STATUS* cursor = status;
        buffer[0] = 0;
        while (library.isc_interprete(buffer.data(), &cursor) > 0) {
            std::string line = ZeroTerminated(buffer);
            if (line.empty())
                continue;
            EndWithPoint(line);
            serverMessage += line + "\r\n";
        }
    }
    EFIBInterBaseError error(sqlCode, sender, std::move(sqlMessage), std::move(serverMessage));
    bool raiseIt = true;
    if (IFIBErrorHandler* handler = ErrorHandlerHook())
        handler->HandleError(sender, error, raiseIt);
    if (raiseIt)
        throw error;
}

// ---- client errors ----

const char* ClientErrorMessage(int code) {
    return code >= 0 && code < ClientErrorCount ? kClientErrorMessages[static_cast<std::size_t>(code)]
                                                : kClientErrorMessages[0];
}

void RaiseClientError(int code, std::initializer_list<FormatArg> args) {
    throw EFIBClientError(code, nullptr, Format(ClientErrorMessage(code & 0x7F), args));
}
