#pragma once
// What the database's small services (the server time, a single-row select, generator values) need
// of a pooled prepared statement and of the pool that keeps them. Statements and the query pool
// fill these in; a database that is given no pool makes its own (cached_queries.h).
#include <cstdint>
#include <string>

#include "platform/rtl/variant.h"

class TFIBDatabase;
class TFIBTransaction;

class IFIBPooledQuery {
  public:
    virtual ~IFIBPooledQuery() = default;
    virtual TFIBTransaction* Transaction() const = 0;
    virtual int ParamCount() = 0;
    virtual void SetParamValue(int index, const Variant& value) = 0;
    virtual void ExecQuery() = 0;
    // The columns of the row the statement returned; 0 when it returns none.
    virtual int FieldCount() = 0;
    virtual int FieldSQLType(int index) = 0;  // without the nullable bit
    virtual Variant FieldValue(int index) = 0;
    virtual std::string FieldAsString(int index) = 0;
    virtual std::int64_t FieldAsInt64(int index) = 0;
};

class IFIBQueryPool {
  public:
    virtual ~IFIBQueryPool() = default;
    // A prepared statement for the text, running in the transaction.
    virtual IFIBPooledQuery& AcquireCachedQuery(TFIBDatabase& database, TFIBTransaction& transaction,
                                                const std::string& sql) = 0;
    // Gives the statement back; with destroy the pool drops it instead of keeping it.
    virtual void ReleaseCachedQuery(IFIBPooledQuery& query, bool destroy) = 0;
};
