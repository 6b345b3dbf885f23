#include "firebird/cached_queries.h"

#include <algorithm>

#include "firebird/database.h"
#include "firebird/pfib_query.h"
#include "firebird/sql_normalize.h"
#include "firebird/transaction.h"
#include "firebird/unnamed_params.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/strings.h"

namespace {}  // namespace

// TCacheQueries

TCacheQueries::TCacheQueries(TFIBDatabase& database, std::shared_ptr<std::recursive_mutex> lock)
    : TComponent(nullptr), database_(&database), lock_(std::move(lock)) {
    // The queries are links of the database: they go while it is still whole.
    database.DestroyListeners().Add(MakeMethod(this, &TCacheQueries::DatabaseFreeing));
}

TCacheQueries::~TCacheQueries() {
    FreeAll();
    if (database_ != nullptr)
        database_->DestroyListeners().Remove(MakeMethod(this, &TCacheQueries::DatabaseFreeing));
}

void TCacheQueries::DatabaseFreeing(TObject* /*sender*/) {
    const std::lock_guard guard(*lock_);
    FreeAll();
    database_ = nullptr;
}

TpFIBQuery* TCacheQueries::GetQuery(TFIBTransaction& transaction, const std::string& text) {
    std::string key = Trim(text);
    TObjectPtr<TpFIBQuery> query = TakeIdle(key);
    if (query) {
        if (query->Transaction() != &transaction)
            query->SetTransaction(&transaction);
        // Nothing of the previous caller's values may reach the next one.
        TFIBXSQLDA& params = query->GetParams();
        for (int i = 0; i < params.Count(); ++i) params[i].WriteIsNull(true);
    } else {
        query = NewQuery(transaction, text);
    }
    TpFIBQuery* handedOut = query.get();
    used_.push_back({std::move(query), std::move(key)});
    return handedOut;
}

TObjectPtr<TpFIBQuery> TCacheQueries::TakeIdle(const std::string& key) {
    TObjectPtr<TObject> idle = idle_.Remove(key);
    return TObjectPtr<TpFIBQuery>(static_cast<TpFIBQuery*>(idle.release()));
}

TObjectPtr<TpFIBQuery> TCacheQueries::NewQuery(TFIBTransaction& transaction, const std::string& text) {
    TObjectPtr<TpFIBQuery> query = MakeComponent<TpFIBQuery>(nullptr);
    query->FreeNotification(this);
    query->SetDatabase(database_);
    query->SetTransaction(&transaction);
    // Keyed by the text as given; the query gets names for its bare markers, which its scan needs.
    query->SQL().SetText(NameUnnamedParams(text));
    return query;
}

auto TCacheQueries::FindUsed(const TFIBQuery* query) -> std::vector<TUsed>::iterator {
    return std::find_if(used_.begin(), used_.end(),
                        [query](const TUsed& used) { return used.Query.get() == query; });
}

void TCacheQueries::ReleaseQuery(TpFIBQuery* query) {
    const auto found = FindUsed(query);
    if (found == used_.end())
        return;
    TUsed used = std::move(*found);
    used_.erase(found);
    int index = 0;
    if (idle_.Find(used.Key, index)) {
        // One idle query per text is enough; this one has no other owner.
        const TFlagScope freeing(freeingOwn_);
        used.Query.reset();
        return;
    }
    idle_.AddObject(std::move(used.Key), TObjectPtr<TObject>(used.Query.release()));
}

void TCacheQueries::FreeUsedQueries() {
    const TFlagScope freeing(freeingOwn_);
    std::vector<TUsed> used = std::move(used_);
    used_.clear();
}

void TCacheQueries::FreeAll() {
    FreeUsedQueries();
    const TFlagScope freeing(freeingOwn_);
    idle_.FreeObjects();
}

void TCacheQueries::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || freeingOwn_)
        return;
    // A query its caller freed instead of giving back: the caller's free is the only one.
    const auto found = FindUsed(dynamic_cast<TFIBQuery*>(AComponent));
    if (found != used_.end()) {
        (void)found->Query.release();
        used_.erase(found);
        return;
    }
    for (int i = 0; i < idle_.Count(); ++i)
        if (idle_.GetObject(i) == AComponent) {
            (void)idle_.Delete(i).release();
            return;
        }
}

IFIBPooledQuery& TCacheQueries::AcquireCachedQuery(TFIBDatabase& /*database*/, TFIBTransaction& transaction,
                                                   const std::string& sql) {
    const std::lock_guard guard(*lock_);
    TpFIBQuery* query = GetQuery(transaction, NormalizeSQL(sql, '@'));
    if (query->Open())
        query->Close();
    return *query;
}

void TCacheQueries::ReleaseCachedQuery(IFIBPooledQuery& query, bool destroy) {
    const std::lock_guard guard(*lock_);
    auto* pooled = dynamic_cast<TpFIBQuery*>(&query);
    if (!destroy) {
        ReleaseQuery(pooled);
        return;
    }
    const auto found = FindUsed(pooled);
    if (found == used_.end())
        return;
    const TFlagScope freeing(freeingOwn_);
    used_.erase(found);
}

// TCacheList

TCacheList::~TCacheList() {
    const std::lock_guard guard(*lock_);
    for (TPool& pool : pools_) {
        pool.Database->RemoveFreeNotification(this);
        pool.Database->SetQueryPool(nullptr);
    }
    pools_.clear();
}

TpFIBQuery* TCacheList::GetQuery(TFIBTransaction* transaction, const std::string& text) {
    if (transaction == nullptr || transaction->DefaultDatabase() == nullptr)
        return nullptr;
    const std::lock_guard guard(*lock_);
    return CacheOfDatabase(*transaction->DefaultDatabase()).GetQuery(*transaction, text);
}

void TCacheList::ReleaseQuery(TpFIBQuery* query) {
    if (query == nullptr || query->Database() == nullptr)
        return;
    const std::lock_guard guard(*lock_);
    CacheOfDatabase(*query->Database()).ReleaseQuery(query);
}

TCacheQueries& TCacheList::CacheOfDatabase(TFIBDatabase& database) {
    const std::lock_guard guard(*lock_);
    for (const TPool& pool : pools_)
        if (pool.Database == &database)
            return *pool.Queries;
    std::shared_ptr<TCacheQueries> queries(MakeComponent<TCacheQueries>(database, lock_).release(), TFree{});
    database.SetQueryPool(queries);
    database.FreeNotification(this);
    pools_.push_back({&database, queries});
    return *queries;
}

void TCacheList::RemoveDatabase(TFIBDatabase* database) {
    const std::lock_guard guard(*lock_);
    const auto first = std::remove_if(pools_.begin(), pools_.end(),
                                      [database](const TPool& pool) { return pool.Database == database; });
    if (first == pools_.end())
        return;
    pools_.erase(first, pools_.end());
    if (database != nullptr && !database->Destroying()) {
        database->RemoveFreeNotification(this);
        database->SetQueryPool(nullptr);
    }
}

void TCacheList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        if (auto* database = dynamic_cast<TFIBDatabase*>(AComponent))
            RemoveDatabase(database);
}

TpFIBQuery* AcquireCachedQuery(TCacheList& cache, TFIBTransaction* transaction, const std::string& sql) {
    TpFIBQuery* query = cache.GetQuery(transaction, NormalizeSQL(sql, '@'));
    if (query != nullptr && query->Open())
        query->Close();
    return query;
}

void ReleaseCachedQuery(TCacheList& cache, TpFIBQuery* query) {
    cache.ReleaseQuery(query);
}
