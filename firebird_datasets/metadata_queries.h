#pragma once
// What the metadata and repository caches share: their transactions, statements from the
// prepared-query pool, and the primary key of a table.
#include <string>
#include <string_view>

#include "platform/rtl/component.h"

class IFIBQueryPool;
class TCacheList;
class TFIBDatabase;
class TFIBTransaction;
class TFIBQuery;
class TpFIBQuery;
class TpFIBTransaction;

// The primary key of a table info that has not read it yet.
inline constexpr const char* kDeferredPrimaryKey = "@FIB_DEFERRED";

// A table or field name as the caches key it: without double quotes, trimmed.
std::string UnquotedName(std::string_view name);

// A read-only, read-committed transaction that commits when it times out: the caches read the
// system tables through it without holding up writers.
TObjectPtr<TpFIBTransaction> MakeInfoTransaction();

// A statement with the text on the transaction and its default database.
TObjectPtr<TFIBQuery> MakeQuery(TFIBTransaction& transaction, const std::string& sql);

// Starts the transaction when it is not active; true when this call started it.
bool StartIfInactive(TFIBTransaction& transaction);

// The pool the caches take statements for the database from: the shared list's pool of it when
// they were given one, else the database's own.
IFIBQueryPool& QueryPoolOf(TCacheList* shared, TFIBDatabase& database);

// A statement of the prepared-query pool for the text in the transaction (started when inactive),
// given back to the pool on every path; one of its own when the pool hands out another kind. Seen
// as its base class: the pooled class's header can't stand beside the dataset framework's, which
// names its error actions the same.
class TPooledStatement {
  public:
    TPooledStatement(TCacheList* shared, TFIBTransaction& transaction, const std::string& sql);
    ~TPooledStatement();
    TPooledStatement(const TPooledStatement&) = delete;
    TPooledStatement& operator=(const TPooledStatement&) = delete;

    TFIBQuery& operator*() const;
    // Runs it with the one text parameter; the first row, if any, is current.
    TFIBQuery& Run(const std::string& param);

  private:
    IFIBQueryPool* pool_ = nullptr;
    TFIBQuery* query_ = nullptr;
    TObjectPtr<TFIBQuery> own_;
};

// The primary-key columns of the table in their order, joined with ";"; empty for a table without
// one. kDeferredPrimaryKey without a transaction or without its default database.
std::string GetPrimaryKeyFields(TCacheList* shared, const std::string& table, TFIBTransaction* transaction);
