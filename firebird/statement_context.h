#pragma once
// What descriptor areas and their variables need from the statement that owns them: the
// connection, the dialect and options, the state of the cursor and the other parameter areas.
#include <ibase.h>

#include "firebird/blob_filters.h"
#include "firebird/client_library.h"

class TFIBXSQLDA;

class IFIBStatementContext {
  public:
    virtual ~IFIBStatementContext() = default;

    virtual IIBClientLibrary* Library() = 0;
    virtual int SQLDialect() const = 0;
    // A null pointer: no database (transaction) assigned; a zero handle: not connected (active).
    virtual isc_db_handle* DBHandle() = 0;
    virtual isc_tr_handle* TRHandle() = 0;
    virtual TIBBlobFilters* BlobFilters() { return nullptr; }
    // Starts the transaction when the statement's options ask for that and it is not active.
    virtual void StartTransactionOnDemand() {}

    virtual bool TrimCharFields() const { return false; }
    virtual bool UpperOldNames() const { return false; }

    // Until a row is fetched, result columns read as NULL (a procedure call has its row at once).
    virtual bool RowFetched() const = 0;
    virtual bool IsProcedureCall() const { return false; }

    // The parameters as the application sees them and as the server described them.
    virtual TFIBXSQLDA* AppParamArea() { return nullptr; }
    virtual TFIBXSQLDA* ServerParamArea() { return nullptr; }
    virtual void PrepareIfNeeded() {}

    virtual bool MacrosChanged() const { return false; }
    virtual void NoteMacrosChanged() {}
    virtual void RebuildSQLIfMacrosChanged() {}
};
