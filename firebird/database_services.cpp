// The database's small services: information items, the server's dialect and time, single-row
// selects and generator values.
#include <algorithm>
#include <array>

#include "firebird/cached_queries.h"
#include "firebird/database.h"
#include "firebird/ident_quoting.h"
#include "firebird/pooled_query.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "platform/rtl/scope_exit.h"

namespace {

constexpr int kBlobType = SQL_BLOB;

// Gives a pooled statement back on every path; whether the pool keeps it is decided on the way.
class TPooledQueryLease {
  public:
    TPooledQueryLease(IFIBQueryPool& pool, IFIBPooledQuery& query) : pool_(pool), query_(query) {}
    ~TPooledQueryLease() { pool_.ReleaseCachedQuery(query_, destroy_); }
    TPooledQueryLease(const TPooledQueryLease&) = delete;
    TPooledQueryLease& operator=(const TPooledQueryLease&) = delete;
    IFIBPooledQuery& operator*() const { return query_; }
    IFIBPooledQuery* operator->() const { return &query_; }
    void SetDestroy(bool destroy) { destroy_ = destroy; }

  private:
    IFIBQueryPool& pool_;
    IFIBPooledQuery& query_;
    bool destroy_ = false;
};

Variant ColumnValue(IFIBPooledQuery& query, int index) {
    return query.FieldSQLType(index) == kBlobType ? Variant(query.FieldAsString(index))
                                                  : query.FieldValue(index);
}

// Rolls back a transaction started here when the work in it fails (the work's failure is the one
// reported), and commits it when the work succeeds.
template <class Work>
void RunInTransaction(TFIBTransaction& transaction, bool wasActive, Work&& work) {
    {
        const TScopeFail rollback([&] {
            if (!wasActive && transaction.Active())
                transaction.Rollback();
        });
        if (!transaction.Active())
            transaction.StartTransaction();
        work();
    }
    if (!wasActive && transaction.Active())
        transaction.Commit();
}

}  // namespace

TDBInfoValue TFIBDatabase::GetInfoValue(unsigned char item) {
    IIBClientLibrary& library = GetClientLibrary();
    const char items[] = {static_cast<char>(item)};
    std::array<char, 512> reply{};
    RaiseIfFailed(ResetFpuAndMarkUsed(library.isc_database_info(
        StatusVector(), &handle_, 1, items, static_cast<short>(reply.size()), reply.data())));
    TDBInfoValue info;
    info.Returned = static_cast<unsigned char>(reply[0]) == item;
    if (info.Returned) {
        const auto length = static_cast<short>(library.isc_vax_integer(&reply[1], 2));
        info.Value = library.isc_vax_integer(&reply[3], std::clamp<short>(length, 0, 4));
    }
    return info;
}

int TFIBDatabase::GetServerDialect() {
    const TDBInfoValue info = GetInfoValue(isc_info_db_sql_dialect);
    return info.Returned ? static_cast<int>(info.Value) : 1;
}

TDateTime TFIBDatabase::GetServerTime() {
    const char* sql = sqlDialect_ < 2 ? "SELECT CAST('NOW' AS DATE) from RDB$DATABASE"
                                      : "SELECT CAST('NOW' AS TIMESTAMP) from RDB$DATABASE";
    Variant now;
    SelectValue(sql, 0, now, internalRead_.get());
    return now.AsDateTime();
}

void TFIBDatabase::SetQueryPool(std::shared_ptr<IFIBQueryPool> pool) {
    queryPool_ = std::move(pool);
}

IFIBQueryPool& TFIBDatabase::QueryPool() {
    if (!queryPool_)
        queryPool_ = std::shared_ptr<TCacheQueries>(
            MakeComponent<TCacheQueries>(*this, std::make_shared<std::recursive_mutex>()).release(), TFree{});
    return *queryPool_;
}

void TFIBDatabase::SetMetadataRepository(std::shared_ptr<IFIBDatabaseService> repository) {
    metadataRepository_ = std::move(repository);
}

bool TFIBDatabase::SelectValue(const std::string& sql, int columnIndex, Variant& result,
                               TFIBTransaction* transaction) {
    return SelectValue(sql, columnIndex, result, transaction, {});
}

bool TFIBDatabase::SelectValue(const std::string& sql, int columnIndex, Variant& result,
                               TFIBTransaction* transaction, const std::vector<Variant>& params) {
    TFIBTransaction& runIn = transaction != nullptr ? *transaction : *internalWrite_;
    const bool wasActive = transaction != nullptr && transaction->Active();
    IFIBQueryPool& pool = QueryPool();
    TPooledQueryLease query(pool, pool.AcquireCachedQuery(*this, runIn, sql));
    bool paramsConsidered = false;
    bool arrayBuilt = false;
    bool selected = false;
    // A statement used only once, without parameters, is not worth keeping.
    struct DestroyUnlessReused {
        TPooledQueryLease& Query;
        const bool& ParamsConsidered;
        const bool& ArrayBuilt;
        ~DestroyUnlessReused() { Query.SetDestroy(!ParamsConsidered && !ArrayBuilt); }
    } decide{query, paramsConsidered, arrayBuilt};
    TFIBTransaction& statementTransaction = query->Transaction() != nullptr ? *query->Transaction() : runIn;
    RunInTransaction(statementTransaction, wasActive, [&] {
        const int count = std::min(static_cast<int>(params.size()), query->ParamCount());
        for (int i = 0; i < count; ++i) {
            paramsConsidered = true;
            if (!params[static_cast<std::size_t>(i)].IsEmpty())
                query->SetParamValue(i, params[static_cast<std::size_t>(i)]);
        }
        query->ExecQuery();
        const int columns = query->FieldCount();
        if (columns == 0)
            return;
        selected = true;
        if (columnIndex >= 0) {
            result = ColumnValue(*query, columnIndex);
            return;
        }
        result = VarArrayCreate({0, columns - 1}, varVariant);
        arrayBuilt = true;
        for (int i = 0; i < columns; ++i) result.PutElement({i}, ColumnValue(*query, i));
    });
    return selected;
}

std::int64_t TFIBDatabase::GenerateID(const std::string& generatorName, TFIBTransaction* transaction,
                                      std::int64_t step) {
    const std::string name = DialectIdentifierEx(sqlDialect_, generatorName, UsesUpperCaseNames());
    TFIBTransaction* runIn = FirstActiveTransaction();
    if (runIn == nullptr)
        runIn = transaction != nullptr ? transaction : internalRead_.get();
    const std::string sql = "select gen_id(" + name + ", " + std::to_string(step) + ") from RDB$DATABASE";
    IFIBQueryPool& pool = QueryPool();
    TPooledQueryLease query(pool, pool.AcquireCachedQuery(*this, *runIn, sql));
    TFIBTransaction& statementTransaction = query->Transaction() != nullptr ? *query->Transaction() : *runIn;
    std::int64_t value = 0;
    RunInTransaction(statementTransaction, statementTransaction.Active(), [&] {
        query->ExecQuery();
        value = query->FieldAsInt64(0);
    });
    return value;
}
