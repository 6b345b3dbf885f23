#pragma once
// The metadata and repository caches: which repository tables a database has, the table infos and
// the datasets' stored descriptions. Every database has one of its own, made on first use
// (DatabaseRepository); an application that wants one cache for several databases owns one (a
// data module, say) and hands it to its datasets as their column repository. Datasets on several
// threads may share it.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "firebird/database.h"
#include "firebird_datasets/dataset_info_collect.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/table_info_collect.h"
#include "platform/rtl/component.h"

class TCacheList;
class TFIBDatabase;

// The repository tables, numbered as their places in a database's state text.
enum TRepositoryTable { rtFieldsInfo = 1, rtDataSetsInfo = 2, rtErrorMessages = 3 };

// Stored-procedure parameters and error messages have caches of their own; this build only makes
// and clears them.
class TpStoredProcCollect : public TObject {
  public:
    std::string ClassName() const override { return "TpStoredProcCollect"; }
    void Clear() { procedures_.clear(); }

  private:
    std::map<std::string, std::string> procedures_;  // name -> parameter texts
};

class TpErrorMessagesCollect : public TObject {
  public:
    std::string ClassName() const override { return "TpErrorMessagesCollect"; }
    void Clear() {
        databases_.clear();
        validated_ = false;
    }

  private:
    std::map<std::string, std::map<std::string, std::string>> databases_;
    bool validated_ = false;
};

class TpFIBRepository : public TComponent, public IFIBColumnRepository, public IFIBDatabaseService {
  public:
    // The metadata queries come from each database's own pool.
    explicit TpFIBRepository(TComponent* AOwner = nullptr);
    // The metadata queries come from the list's pools.
    explicit TpFIBRepository(TCacheList& queries, TComponent* AOwner = nullptr);
    ~TpFIBRepository() override;
    std::string ClassName() const override { return "TpFIBRepository"; }

    // The shared pools the metadata queries come from; nullptr for each database's own.
    TCacheList* Queries() const { return queries_; }

    // The table is in the database and the database uses it; tested once per database and table.
    bool RepositoryTableExists(TFIBDatabase& database, TRepositoryTable table);
    bool FieldsInfoTableExists(TFIBDatabase& database) {
        return RepositoryTableExists(database, rtFieldsInfo);
    }
    bool DataSetsInfoTableExists(TFIBDatabase& database) {
        return RepositoryTableExists(database, rtDataSetsInfo);
    }
    // One character per table: "1" present, "0" absent, "2" not tested yet ("222" for a new one).
    std::string RepositoryState(const TFIBDatabase& database) const;

    TpFIBTableInfoCollect& TableInfos() const { return *tables_; }
    TpDataSetInfoCollect& DataSetInfos() const { return *dataSets_; }
    TpStoredProcCollect& StoredProcs() const { return *storedProcs_; }
    TpErrorMessagesCollect& ErrorMessages() const { return *errorMessages_; }

    // IFIBColumnRepository: from the domains and defaults of the dataset's tables.
    bool ColumnCanBeBoolean(const TFIBCustomDataSet& dataSet, TFIBXSQLVAR& column) override;
    bool ColumnCanBeGuid(const TFIBCustomDataSet& dataSet, TFIBXSQLVAR& column) override;
    bool DefaultIsEmptyString(const TFIBCustomDataSet& dataSet, const TField* field) override;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    bool TestTable(TFIBDatabase& database, TRepositoryTable table);
    // What the field info of the column says; false when the column has none.
    bool AskColumn(const TFIBCustomDataSet& dataSet, const std::string& table, const std::string& column,
                   bool (*answer)(TpFIBFieldInfo&));

    TCacheList* queries_ = nullptr;
    mutable std::recursive_mutex lock_;                // the state texts
    std::map<const TComponent*, std::string> states_;  // by database
    TObjectPtr<TpFIBTableInfoCollect> tables_;
    std::unique_ptr<TpDataSetInfoCollect> dataSets_ = std::make_unique<TpDataSetInfoCollect>(*this);
    std::unique_ptr<TpStoredProcCollect> storedProcs_ = std::make_unique<TpStoredProcCollect>();
    std::unique_ptr<TpErrorMessagesCollect> errorMessages_ = std::make_unique<TpErrorMessagesCollect>();
};

// The database's own repository, made on first use and freed with the database; a repository of
// another kind given to the database is replaced.
TpFIBRepository& DatabaseRepository(TFIBDatabase& database);
