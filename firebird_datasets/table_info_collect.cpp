#include "firebird_datasets/table_info_collect.h"

#include "firebird/database.h"
#include "firebird/pfib_transaction.h"
#include "firebird_datasets/metadata_queries.h"
#include "platform/rtl/scope_exit.h"

namespace {

void CommitWhenActive(TFIBTransaction& transaction) {
    if (transaction.Active())
        transaction.Commit();
}

}  // namespace

TpFIBTableInfoCollect::TpFIBTableInfoCollect(TpFIBRepository& repository)
    : TComponent(nullptr), repository_(repository), transaction_(MakeInfoTransaction()) {}

TpFIBTableInfoCollect::~TpFIBTableInfoCollect() {
    Clear();
    try {
        CommitWhenActive(*transaction_);
    } catch (const Exception&) {
    }
}

TpFIBTableInfo* TpFIBTableInfoCollect::GetTableInfo(TFIBDatabase& database, const std::string& table,
                                                    bool withRepository) {
    const std::lock_guard guard(lock_);
    const std::string name = UnquotedName(table);
    auto found = Find(database.DBName(), name);
    if (found != entries_.end() && revalidate_ && found->second->NotValidated &&
        !StillCurrent(database, *found->second)) {
        RemoveTable(name);
        found = entries_.end();
    }
    if (found == entries_.end())
        return Add(database, name, withRepository);
    TpFIBTableInfo& info = *found->second;
    if (withRepository && !info.WithRepositoryInfo()) {
        TFIBTransaction& transaction = TransactionFor(database);
        const TScopeExit commit([&transaction] { CommitWhenActive(transaction); });
        info.LoadRepositoryInfo(transaction);
    }
    return &info;
}

TpFIBTableInfo* TpFIBTableInfoCollect::Add(TFIBDatabase& database, const std::string& table,
                                           bool withRepository) {
    auto info = std::make_unique<TpFIBTableInfo>(repository_, withRepository);
    info->InitForTable(database, table);
    database.FreeNotification(this);
    return entries_.emplace(table, std::move(info))->second.get();
}

bool TpFIBTableInfoCollect::StillCurrent(TFIBDatabase& database, TpFIBTableInfo& info) {
    TFIBTransaction& transaction = TransactionFor(database);
    bool current = false;
    {
        const TScopeExit commit([&transaction] { CommitWhenActive(transaction); });
        current = info.IsCurrent(transaction);
    }
    info.NotValidated = false;
    return current;
}

TFIBTransaction& TpFIBTableInfoCollect::TransactionFor(TFIBDatabase& database) {
    if (transaction_->DefaultDatabase() != &database) {
        CommitWhenActive(*transaction_);
        transaction_->SetDefaultDatabase(&database);
    }
    return *transaction_;
}

TpFIBFieldInfo* TpFIBTableInfoCollect::FindFieldInfo(TFIBDatabase& database, const std::string& table,
                                                     bool withRepository, const std::string& field) {
    const std::lock_guard guard(lock_);
    TpFIBTableInfo* info = GetTableInfo(database, table, withRepository);
    return info != nullptr ? info->FieldInfo(field) : nullptr;
}

auto TpFIBTableInfoCollect::Find(const std::string& dbName, const std::string& table) const
    -> TEntries::const_iterator {
    const auto [first, last] = entries_.equal_range(table);
    for (auto entry = first; entry != last; ++entry)
        if (entry->second->DBName() == dbName)
            return entry;
    return entries_.end();
}

TpFIBTableInfo* TpFIBTableInfoCollect::FindTableInfo(const std::string& dbName,
                                                     const std::string& table) const {
    const std::lock_guard guard(lock_);
    const auto found = Find(dbName, UnquotedName(table));
    return found == entries_.end() ? nullptr : found->second.get();
}

void TpFIBTableInfoCollect::RemoveDatabase(const std::string& dbName) {
    const std::lock_guard guard(lock_);
    std::erase_if(entries_, [&dbName](const auto& entry) { return entry.second->DBName() == dbName; });
}

void TpFIBTableInfoCollect::RemoveTable(const std::string& table) {
    const std::lock_guard guard(lock_);
    entries_.erase(UnquotedName(table));
}

void TpFIBTableInfoCollect::Clear() {
    const std::lock_guard guard(lock_);
    entries_.clear();
}

int TpFIBTableInfoCollect::Count() const {
    const std::lock_guard guard(lock_);
    return static_cast<int>(entries_.size());
}

void TpFIBTableInfoCollect::SetRevalidate(bool value) {
    const std::lock_guard guard(lock_);
    revalidate_ = value;
    if (value)
        for (auto& [name, info] : entries_) info->NotValidated = true;
}

void TpFIBTableInfoCollect::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (auto* database = dynamic_cast<TFIBDatabase*>(AComponent))
        RemoveDatabase(database->DBName());
}
