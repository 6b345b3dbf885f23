#pragma once
// The cache of table infos of every database an application uses, one entry per table and
// database name. Datasets on several threads share it: every lookup holds its lock, and loading a
// table's fields happens under it, so a table is read once however many ask at the same time.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "firebird_datasets/table_info.h"
#include "platform/rtl/component.h"

class TFIBDatabase;
class TpFIBRepository;
class TpFIBTransaction;

class TpFIBTableInfoCollect : public TComponent {
  public:
    explicit TpFIBTableInfoCollect(TpFIBRepository& repository);
    ~TpFIBTableInfoCollect() override;
    std::string ClassName() const override { return "TpFIBTableInfoCollect"; }

    // The info of the table (double quotes removed, trimmed) in the database, read on first use.
    // Asked with repository info for an entry read without it, the repository rows are read now.
    TpFIBTableInfo* GetTableInfo(TFIBDatabase& database, const std::string& table, bool withRepository);
    TpFIBFieldInfo* FindFieldInfo(TFIBDatabase& database, const std::string& table, bool withRepository,
                                  const std::string& field);
    // The cached entry; nullptr when there is none.
    TpFIBTableInfo* FindTableInfo(const std::string& dbName, const std::string& table) const;
    void RemoveDatabase(const std::string& dbName);
    void RemoveTable(const std::string& table);
    void Clear();
    int Count() const;

    // With revalidation on, every entry is tested once before it is handed out again: a table
    // whose format or repository rows changed is read again.
    bool Revalidate() const { return revalidate_; }
    void SetRevalidate(bool value);

    // Held while a caller works with the infos it got, which another thread may otherwise drop.
    std::recursive_mutex& Lock() const { return lock_; }

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    using TEntries = std::multimap<std::string, std::unique_ptr<TpFIBTableInfo>>;
    TEntries::const_iterator Find(const std::string& dbName, const std::string& table) const;
    TpFIBTableInfo* Add(TFIBDatabase& database, const std::string& table, bool withRepository);
    // The collection's transaction, bound to the database.
    TFIBTransaction& TransactionFor(TFIBDatabase& database);
    bool StillCurrent(TFIBDatabase& database, TpFIBTableInfo& info);

    TpFIBRepository& repository_;
    mutable std::recursive_mutex lock_;
    TEntries entries_;  // by table name
    TObjectPtr<TpFIBTransaction> transaction_;
    bool revalidate_ = false;
};
