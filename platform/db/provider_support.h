#pragma once
// What a provider asks of a dataset when it reads from and writes to the dataset's source: the names
// it needs to write SQL, the source's transaction, applying one changed record handed over as a
// delta dataset, and running statements of its own. Every dataset answers; the answers here are
// those of a dataset that knows nothing of SQL, and a dataset that does overrides them.
#include <exception>
#include <memory>
#include <string>

#include "platform/db/dataset_types.h"
#include "platform/db/params.h"
#include "platform/rtl/component.h"
#include "platform/rtl/database_error.h"

class TDataSet;

// A record that could not be applied: the message, the error it came from, the code of the error
// reported before it (0 for the first) and the error's own code.
class EUpdateError : public EDatabaseError {
  public:
    EUpdateError(std::string message, std::string context, int errorCode, int previousError,
                 std::exception_ptr originalException)
        : EDatabaseError(std::move(message)),
          Context(std::move(context)),
          ErrorCode(errorCode),
          PreviousError(previousError),
          OriginalException(std::move(originalException)) {}

    std::string Context;
    int ErrorCode;
    int PreviousError;
    std::exception_ptr OriginalException;
};

class IProviderSupport {
  public:
    virtual ~IProviderSupport() = default;

    // Names: the character that quotes identifiers, the table updates go to, its key fields
    // (";"-separated). Our fields carry no provider flags, so the framework knows no key.
    virtual std::string PSGetQuoteChar() const { return "\""; }
    virtual std::string PSGetTableName() const { return {}; }
    virtual std::string PSGetKeyFields() const { return {}; }
    virtual void PSSetCommandText(const std::string& /*text*/) {}
    // The error a failure to apply a record is reported as; `error` holds the failure.
    virtual std::unique_ptr<EUpdateError> PSGetUpdateException(const std::exception_ptr& error,
                                                               const EUpdateError* previous);

    // The source's transaction.
    virtual bool PSInTransaction() const { return false; }
    virtual bool PSIsSQLBased() const { return false; }
    virtual bool PSIsSQLSupported() const { return false; }
    virtual void PSStartTransaction() {}
    virtual void PSEndTransaction(bool /*commit*/) {}

    // Applies one record of the delta; false when the dataset leaves it to the provider.
    virtual bool PSUpdateRecord(TUpdateKind /*kind*/, TDataSet& /*delta*/) { return false; }
    // Runs a statement whose parameters are bound by position: with resultSet, the dataset of its
    // rows is handed back there. Returns the rows fetched or affected. Not supported here.
    virtual int PSExecuteStatement(const std::string& sql, const TParams& params,
                                   TObjectPtr<TDataSet>* resultSet = nullptr);
    virtual void PSReset() {}
    virtual void PSExecute();
    // The dataset's own parameters; nullptr for a dataset without any.
    virtual TParams* PSGetParams() { return nullptr; }
    virtual void PSSetParams(const TParams& /*params*/) {}
};
