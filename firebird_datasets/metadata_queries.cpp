#include "firebird_datasets/metadata_queries.h"

#include "firebird/cached_queries.h"
#include "firebird/database.h"
#include "firebird/pfib_query.h"
#include "firebird/pfib_transaction.h"
#include "firebird/str_replace.h"
#include "platform/rtl/strings.h"

namespace {

constexpr const char* kPrimaryKeySQL =
    "select i.rdb$field_name from    rdb$relation_constraints r, rdb$index_segments i where   "
    "r.rdb$relation_name=:TN and r.rdb$constraint_type='PRIMARY KEY' and "
    "r.rdb$index_name=i.rdb$index_name order by i.rdb$field_position";

}  // namespace

std::string UnquotedName(std::string_view name) {
    return Trim(ReplaceStr(name, "\"", ""));
}

TObjectPtr<TpFIBTransaction> MakeInfoTransaction() {
    TObjectPtr<TpFIBTransaction> transaction = MakeComponent<TpFIBTransaction>(nullptr);
    transaction->TPBMode = tpbDefault;
    transaction->TRParams().SetText("read\nnowait\nrec_version\nread_committed");
    transaction->TimeoutAction = TACommit;
    return transaction;
}

TObjectPtr<TFIBQuery> MakeQuery(TFIBTransaction& transaction, const std::string& sql) {
    TObjectPtr<TFIBQuery> query = MakeComponent<TFIBQuery>(nullptr);
    query->SetDatabase(transaction.DefaultDatabase());
    query->SetTransaction(&transaction);
    query->SQL().SetText(sql);
    return query;
}

bool StartIfInactive(TFIBTransaction& transaction) {
    if (transaction.Active())
        return false;
    transaction.StartTransaction();
    return true;
}

IFIBQueryPool& QueryPoolOf(TCacheList* shared, TFIBDatabase& database) {
    return shared != nullptr ? shared->CacheOfDatabase(database) : database.QueryPool();
}

TPooledStatement::TPooledStatement(TCacheList* shared, TFIBTransaction& transaction, const std::string& sql) {
    TFIBDatabase* database = transaction.DefaultDatabase();
    if (database == nullptr)
        throw Exception("The transaction has no database for: " + sql);
    StartIfInactive(transaction);
    pool_ = &QueryPoolOf(shared, *database);
    IFIBPooledQuery& pooled = pool_->AcquireCachedQuery(*database, transaction, sql);
    query_ = dynamic_cast<TFIBQuery*>(&pooled);
    if (query_ == nullptr) {
        pool_->ReleaseCachedQuery(pooled, true);
        pool_ = nullptr;
        own_ = MakeQuery(transaction, sql);
        query_ = own_.get();
    }
}

TPooledStatement::~TPooledStatement() {
    try {
        query_->Close();
    } catch (const Exception&) {
    }
    if (pool_ != nullptr)
        pool_->ReleaseCachedQuery(*query_, false);
}

TFIBQuery& TPooledStatement::operator*() const {
    return *query_;
}

TFIBQuery& TPooledStatement::Run(const std::string& param) {
    TFIBXSQLDA& params = query_->GetParams();
    for (int i = 0; i < params.Count(); ++i) params[i].WriteAsString(param);
    query_->ExecQuery();
    return *query_;
}

std::string GetPrimaryKeyFields(TCacheList* shared, const std::string& table, TFIBTransaction* transaction) {
    if (transaction == nullptr || transaction->DefaultDatabase() == nullptr)
        return kDeferredPrimaryKey;
    TPooledStatement statement(shared, *transaction, kPrimaryKeySQL);
    TFIBQuery& query = statement.Run(table);
    std::string fields;
    for (; !query.Eof(); query.Next()) {
        if (!fields.empty())
            fields += ';';
        fields += Trim(query.GetFieldByIndex(0).ReadAsString());
    }
    return fields;
}
