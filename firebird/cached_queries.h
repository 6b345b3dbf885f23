#pragma once
// The prepared-query pool: short statements the library runs again and again (generator values,
// single-row selects) are kept prepared between uses, per database, keyed by their normalised SQL
// text. A caller takes a statement for a transaction and a text, uses it and gives it back.
//
// Each database makes its own pool on first use and frees it with itself. An application that
// wants its databases' pools under one lock owns a TCacheList (a data module, say): the list
// installs each database's pool as that database's query pool in place of its own.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "firebird/obj_string_list.h"
#include "firebird/pooled_query.h"
#include "platform/rtl/component.h"

class TFIBDatabase;
class TFIBTransaction;
class TFIBQuery;
class TpFIBQuery;

// The pool of one database.
class TCacheQueries : public TComponent, public IFIBQueryPool {
  public:
    TCacheQueries(TFIBDatabase& database, std::shared_ptr<std::recursive_mutex> lock);
    ~TCacheQueries() override;
    std::string ClassName() const override { return "TCacheQueries"; }

    TFIBDatabase* Database() const { return database_; }
    // The idle query for the text, moved to the transaction, or a new one; every parameter NULL.
    TpFIBQuery* GetQuery(TFIBTransaction& transaction, const std::string& text);
    // Back to the idle ones; when an idle query holds the text already, the released one is freed.
    void ReleaseQuery(TpFIBQuery* query);
    void FreeUsedQueries();
    int IdleCount() const { return idle_.Count(); }
    int UsedCount() const { return static_cast<int>(used_.size()); }

    // IFIBQueryPool: the database's own services.
    IFIBPooledQuery& AcquireCachedQuery(TFIBDatabase& database, TFIBTransaction& transaction,
                                        const std::string& sql) override;
    void ReleaseCachedQuery(IFIBPooledQuery& query, bool destroy) override;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    struct TUsed {
        TObjectPtr<TpFIBQuery> Query;
        std::string Key;
    };
    TObjectPtr<TpFIBQuery> TakeIdle(const std::string& key);
    TObjectPtr<TpFIBQuery> NewQuery(TFIBTransaction& transaction, const std::string& text);
    std::vector<TUsed>::iterator FindUsed(const TFIBQuery* query);
    void FreeAll();
    void DatabaseFreeing(TObject* sender);

    TFIBDatabase* database_;
    std::shared_ptr<std::recursive_mutex> lock_;
    TObjStringList idle_{this, true};  // owns the idle queries
    std::vector<TUsed> used_;
    bool freeingOwn_ = false;
};

// The pools of all databases an application uses, under one lock.
class TCacheList : public TComponent {
  public:
    explicit TCacheList(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    ~TCacheList() override;
    std::string ClassName() const override { return "TCacheList"; }

    TpFIBQuery* GetQuery(TFIBTransaction* transaction, const std::string& text);
    void ReleaseQuery(TpFIBQuery* query);
    // The database's pool, made and installed as its query pool when it has none.
    TCacheQueries& CacheOfDatabase(TFIBDatabase& database);
    void RemoveDatabase(TFIBDatabase* database);
    int Count() const { return static_cast<int>(pools_.size()); }

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    struct TPool {
        TFIBDatabase* Database;
        std::shared_ptr<TCacheQueries> Queries;  // shared with the database, which uses it too
    };
    std::shared_ptr<std::recursive_mutex> lock_ = std::make_shared<std::recursive_mutex>();
    std::vector<TPool> pools_;
};

// A closed, prepared-on-demand query for the normalised text in the transaction; nullptr without
// a transaction or without its default database. Give it back with ReleaseCachedQuery.
TpFIBQuery* AcquireCachedQuery(TCacheList& cache, TFIBTransaction* transaction, const std::string& sql);
void ReleaseCachedQuery(TCacheList& cache, TpFIBQuery* query);
