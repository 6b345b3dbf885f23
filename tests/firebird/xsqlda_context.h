#pragma once
// A statement stand-in for descriptor-area tests: the dialect, the fetch state and the parameter
// areas are set by the test; the connection is whatever handles it is given.
#include "firebird/statement_context.h"
#include "firebird/xsqlda.h"

namespace fbtest {

class TAreaContext : public IFIBStatementContext {
  public:
    IIBClientLibrary* Library() override { return library; }
    int SQLDialect() const override { return dialect; }
    isc_db_handle* DBHandle() override { return db; }
    isc_tr_handle* TRHandle() override { return tr; }
    TIBBlobFilters* BlobFilters() override { return &filters; }
    bool TrimCharFields() const override { return trimChars; }
    bool RowFetched() const override { return fetched; }
    TFIBXSQLDA* AppParamArea() override { return appParams; }
    TFIBXSQLDA* ServerParamArea() override { return serverParams; }

    IIBClientLibrary* library = nullptr;
    isc_db_handle* db = nullptr;
    isc_tr_handle* tr = nullptr;
    TIBBlobFilters filters;
    int dialect = 3;
    bool trimChars = false;
    bool fetched = true;
    TFIBXSQLDA* appParams = nullptr;
    TFIBXSQLDA* serverParams = nullptr;
};

}  // namespace fbtest
