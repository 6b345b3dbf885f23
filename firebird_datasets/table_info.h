#pragma once
// What the library knows of one table (or view, or selectable procedure) of one database: its
// columns with their domains and defaults, its primary key, and the repository's description of
// its fields. Read once and kept by TpFIBTableInfoCollect.
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "firebird_datasets/field_info.h"
#include "platform/rtl/component.h"

class TFIBDatabase;
class TFIBTransaction;
class TpFIBRepository;
class TpFIBTransaction;
class TFieldsInfoRows;

// The pseudo table whose repository rows describe computed columns by their names.
inline constexpr const char* kAliasTable = "ALIAS";

class TpFIBTableInfo : public TObject {
  public:
    TpFIBTableInfo(TpFIBRepository& repository, bool withRepositoryInfo);
    ~TpFIBTableInfo() override;
    std::string ClassName() const override { return "TpFIBTableInfo"; }

    // Binds the internal transaction to the database and reads the table's fields.
    void InitForTable(TFIBDatabase& database, const std::string& table);

    const std::string& TableName() const { return tableName_; }
    const std::string& DBName() const { return dbName_; }
    bool WithRepositoryInfo() const { return withRepositoryInfo_; }
    // The relation id of a view, the format number of a table; 0 for a procedure.
    int FormatNumber() const { return formatNumber_; }
    // The highest FIB$VERSION of the table's repository rows.
    int RepositoryVersion() const { return repositoryVersion_; }
    // Set when the collection is to test the entry before it hands it out again.
    bool NotValidated = false;

    // The field of that name (double quotes removed, trimmed, any letter case); nullptr when none.
    TpFIBFieldInfo* FieldInfo(std::string_view name) const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const std::string& FieldName(int index) const { return fields_[static_cast<std::size_t>(index)].first; }
    void ClearFields();

    // The primary-key columns joined with ";", read on first use.
    std::string GetPrimaryKey();

    // The repository rows for fields read without them, through the given transaction.
    void LoadRepositoryInfo(TFIBTransaction& transaction);
    // The table's format and repository version are still the ones read.
    bool IsCurrent(TFIBTransaction& transaction);

  private:
    void LoadFields(const std::string& table, TFIBTransaction& transaction);
    // The repository rows and version; false when the table has none or they can't be read.
    bool ReadRepositoryRows(TFIBTransaction& transaction, TFieldsInfoRows& rows);
    int ReadRepositoryVersion(TFIBTransaction& transaction);
    int ReadFormatNumber(TFIBTransaction& transaction);
    void ReadColumns(TFIBTransaction& transaction, const TFieldsInfoRows* rows);
    TpFIBFieldInfo& AddField(std::string name);

    TpFIBRepository& repository_;
    TFIBDatabase* database_ = nullptr;
    std::string tableName_;
    std::string dbName_;
    std::vector<std::pair<std::string, std::unique_ptr<TpFIBFieldInfo>>> fields_;
    std::mutex keyLock_;  // datasets on several threads may ask for the key first at once
    std::string primaryKey_;
    int formatNumber_ = 0;
    int repositoryVersion_ = 0;
    bool withRepositoryInfo_;
    TObjectPtr<TpFIBTransaction> transaction_;
};
