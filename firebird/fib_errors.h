#pragma once
// The errors of the Firebird layer. EFIBInterBaseError carries a failure reported by the server or
// the client library, built from the calling thread's status vector; EFIBClientError a failure
// found by this layer, numbered 0-74 with a fixed English text.
//
// A message begins with the sender's component path, ":" and CR LF when the sender is a
// component. A server error then has the SQL message (ending in ".") and the server's lines, each
// ending in "." and CR LF.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "firebird/client_library.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/format.h"

class TObject;

class EFIBError : public EDatabaseError {
  public:
    EFIBError(int code, TObject* sender, std::string_view message);
    EFIBError(int code, TObject* sender, std::string sqlMessage, std::string serverMessage);

    std::int32_t SqlErrorCode;     // the SQL code of a server error; the number of a client error
    std::int32_t ServerErrorCode;  // entry 1 of the thread's status vector when the error was built
    std::string SqlMessageText;    // server errors only
    std::string ServerMessage;     // server errors only
    TObject* Sender;               // not owned; may be null
};

class EFIBInterBaseError : public EFIBError {
  public:
    using EFIBError::EFIBError;
};

class EFIBClientError : public EFIBError {
  public:
    using EFIBError::EFIBError;
};

// A lock conflict: a deadlock (SQL code -913), or an update conflict of a transaction that does
// not wait (SQL code -901 with isc_lock_conflict).
bool IsLockConflict(const EFIBError& error);

// "Component.Path:" CR LF for a component, "" for anything else.
std::string SenderPrefix(TObject* sender);

// The parts a server error text holds (bit values).
constexpr int empServerMessages = 2;
constexpr int empSqlMessage = 4;
int ErrorMessageParts();  // both, always

// An application's hook for server errors: it sees each error before it is raised and may keep it
// from being raised by clearing raiseIt, or raise something else instead.
class IFIBErrorHandler {
  public:
    virtual ~IFIBErrorHandler() = default;
    virtual void HandleError(TObject* sender, EFIBInterBaseError& error, bool& raiseIt) = 0;
};
IFIBErrorHandler* ErrorHandlerHook();
void SetErrorHandlerHook(IFIBErrorHandler* handler);  // not owned; nullptr removes it

// Builds an EFIBInterBaseError from the calling thread's status vector and raises it, unless the
// error handler hook cleared its flag: then it returns normally.
void RaiseServerError(IIBClientLibrary& library, TObject* sender);

// Client errors, by number.
enum TFIBClientErrorCode : int {
    fceUnknownError = 0,
    fceUnsupportedFeature = 1,
    fceNotPermitted = 2,
    fceFileAccessError = 3,
    fceConnectionTimeout = 4,
    fceCannotSetDatabase = 5,
    fceCannotSetTransaction = 6,
    fceOperationCancelled = 7,
    fceDPBConstantNotSupported = 8,
    fceDPBConstantUnknown = 9,
    fceTPBConstantNotSupported = 10,
    fceTPBConstantUnknown = 11,
    fceDatabaseClosed = 12,
    fceDatabaseOpen = 13,
    fceDatabaseNameMissing = 14,
    fceNotInTransaction = 15,
    fceInTransaction = 16,
    fceTimeoutNegative = 17,
    fceNoDatabasesInTransaction = 18,
    fceUpdateWrongDB = 19,
    fceUpdateWrongTR = 20,
    fceDatabaseNotAssigned = 21,
    fceTransactionNotAssigned = 22,
    fceXSQLDAIndexOutOfRange = 23,
    fceXSQLDANameDoesNotExist = 24,
    fceEOF = 25,
    fceBOF = 26,
    fceInvalidStatementHandle = 27,
    fceDatasetOpen = 28,
    fceDatasetClosed = 29,
    fceUnknownSQLDataType = 30,
    fceInvalidColumnIndex = 31,
    fceInvalidParamColumnIndex = 32,
    fceInvalidDataConversion = 33,
    fceColumnIsNotNullable = 34,
    fceBlobCannotBeRead = 35,
    fceBlobCannotBeWritten = 36,
    fceEmptyQuery = 37,
    fceCannotOpenNonSQLSelect = 38,
    fceNoFieldAccess = 39,
    fceFieldReadOnly = 40,
    fceFieldNotFound = 41,
    fceNotInEditMode = 42,
    fceNotEditing = 43,
    fceCannotInsert = 44,
    fceCannotPost = 45,
    fceCannotUpdate = 46,
    fceCannotDelete = 47,
    fceCannotRefresh = 48,
    fceBufferNotSet = 49,
    fceCircularReference = 50,
    fceSQLParseError = 51,
    fceUserAbort = 52,
    fceDataSetUniDirectional = 53,
    fceCannotCreateSharedResource = 54,
    fceWindowsAPIError = 55,
    fceColumnListsDontMatch = 56,
    fceColumnTypesDontMatch = 57,
    fceCantEndSharedTransaction = 58,
    fceFieldIsNotArray = 59,
    fceArrayDimensionMissing = 60,
    fceSQLDialectInvalid = 61,
    fceInterBaseMissing = 62,
    fceIB60Feature = 63,
    fceInterBaseInstallMissing = 64,
    fceServiceActive = 65,
    fceServiceInActive = 66,
    fceServerNameMissing = 67,
    fceQueryParamsError = 68,
    fceStartParamsError = 69,
    fceOutputParsingError = 70,
    fceUseSpecificProcedures = 71,
    fceSPBConstantNotSupported = 72,
    fceSPBConstantUnknown = 73,
    fceFieldSizeTooSmall = 74,
};
constexpr int ClientErrorCount = 75;
// The format text of a client error; a number outside 0-74 gives the text of 0.
const char* ClientErrorMessage(int code);
// Raises EFIBClientError with SqlErrorCode = code, no sender, and the numbered text formatted with
// the arguments. Only the low seven bits of the code choose the text.
[[noreturn]] void RaiseClientError(int code, std::initializer_list<FormatArg> args = {});
