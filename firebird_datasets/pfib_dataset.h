#pragma once
// TpFIBDataSet: the dataset that applications use. Over the core it adds the record filter (the
// filter text, OnFilterRecord and DoExtendedFilter), the statements it generates and applies,
// record locking, default values and its container. Each concern lives in its own source file
// (pfib_dataset_*.cpp); this header keeps them in separate blocks.
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "firebird/sorted_list.h"
#include "firebird_datasets/auto_update_options.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/generated_sql.h"
#include "platform/db/params.h"

class EFIBError;
class TpFIBRepository;
class TpFIBTableInfo;

class TpFIBDataSet : public TFIBDataSet {
  public:
    explicit TpFIBDataSet(TComponent* AOwner);
    ~TpFIBDataSet() override;
    std::string ClassName() const override { return "TpFIBDataSet"; }

    // ---- Record filter (pfib_dataset_filter.cpp) ----
    // Turning the filter on or off forgets the hidden records and filters again from the current
    // record on; a filter text changed meanwhile is parsed first.
    void SetFiltered(bool value) override;
    void SetFilterText(const std::string& value) override;
    void SetFilterOptions(TFilterOptions value) override;
    // Record numbers (index + 1) that the filter hid when it last looked at them, ascending.
    const TSortedList& HiddenRecords() const { return hiddenRecords_; }

    // ---- Generated SQL, posting, cached updates and generators (pfib_dataset_sql.cpp,
    // pfib_dataset_post.cpp, pfib_dataset_apply.cpp, pfib_dataset_generator.cpp) ----
    TAutoUpdateOptions& AutoUpdateOptions() const { return *autoUpdateOptions_; }
    void SetAutoUpdateOptions(const TAutoUpdateOptions& value) { autoUpdateOptions_->Assign(value); }
    // The kinds of change the dataset sends to the server; all three by default.
    TUpdateKinds AllowedUpdateKinds() const { return allowedUpdateKinds_; }
    void SetAllowedUpdateKinds(TUpdateKinds value) { allowedUpdateKinds_ = value; }
    // The text of a modify or refresh statement for the table and key fields (";"-separated):
    // empty without them or without the table's metadata; raises when a key field is missing.
    void GenerateSQLText(const std::string& tableName, const std::string& keyFields, std::string& text,
                         TGeneratedSQLKind kind);
    // The four modify texts from AutoUpdateOptions, completing KeyFields from the table first.
    void AutoGenerateSQLs();
    // With UpdateOnlyModifiedFields: the update (editing) or insert (inserting) text for the
    // record's changed fields.
    void RegenerateModifySQL(TDataSetState state);
    bool CanAutoGenerateSQL() const;
    // The field named by the whole KeyFields text; nullptr when none.
    TField* KeyField();
    // The fields over the table's primary key, or over all its non-blob columns, joined by ";".
    std::string KeyFieldsFromPrimaryKey(const std::string& table);
    std::string KeyFieldsFromTable(const std::string& table);
    // A field by name (surrounding double quotes removed), remembered once found.
    TField* FindFieldCached(const std::string& name);
    // The key field's value from the generator, when the key is numeric and still NULL.
    virtual void FetchGeneratorValue();
    // Sends every cached change to the server through the update events; the statuses stay until
    // CommitUpdates.
    void ApplyUpdates();
    // The applied changes become the records' fetched state.
    void CommitUpdates();
    bool CanEdit() const override;
    bool CanInsert() const override;
    bool CanDelete() const override;
    std::string About() const { return "5.3.0 Release"; }

    // Provider support (pfib_dataset_provider.cpp).
    std::string PSGetQuoteChar() const override;
    std::string PSGetTableName() const override;
    std::string PSGetKeyFields() const override;
    void PSSetCommandText(const std::string& text) override;
    std::unique_ptr<EUpdateError> PSGetUpdateException(const std::exception_ptr& error,
                                                       const EUpdateError* previous) override;
    bool PSInTransaction() const override;
    bool PSIsSQLBased() const override { return true; }
    bool PSIsSQLSupported() const override { return true; }
    void PSStartTransaction() override;
    void PSEndTransaction(bool commit) override;
    bool PSUpdateRecord(TUpdateKind kind, TDataSet& delta) override;
    int PSExecuteStatement(const std::string& sql, const TParams& params,
                           TObjectPtr<TDataSet>* resultSet = nullptr) override;
    void PSReset() override;
    void PSExecute() override;
    TParams* PSGetParams() override;
    void PSSetParams(const TParams& params) override;

  protected:
    // ---- Record filter (pfib_dataset_filter.cpp) ----
    // The status test, then while filtered the filter text, OnFilterRecord and DoExtendedFilter.
    bool RecordIsVisible(TRecordBuffer buffer) const override;
    // Called for a record that passed the filter text and OnFilterRecord; Accept false hides it.
    virtual void DoExtendedFilter(TDataSet* /*DataSet*/, bool& /*Accept*/) {}
    void PrepareFilterParser() override;

    // ---- Generated SQL, posting, cached updates and generators ----
    void InternalPostRecord(TFIBQuery& statement, TRecordBuffer buffer) override;
    // A generated update or delete that changes no row raises: the record is gone from the server.
    void DeleteRecordOnServer(TFIBQuery& statement, TRecordBuffer buffer) override;
    // Without CachedUpdates and UpdateOnlyModifiedFields the step's statement is prepared first.
    void PrepareModifyStatement(TUpdateKind kind) override;
    // The generator value (wgBeforePost) and the texts of the changed fields.
    void PreparePost() override;
    // With AutoCommit and CachedUpdates the change is applied and committed at once.
    void FinishModification(TUpdateKind kind) override;
    // After an open with a new select text, the texts are generated when AutoReWriteSqls is set.
    void PrepareAfterOpen() override;

  private:
    // ---- Record filter (pfib_dataset_filter.cpp) ----
    bool FilterAcceptsRecord(TRecordBuffer buffer);
    mutable TSortedList hiddenRecords_;

    // ---- Generated SQL, posting, cached updates and generators ----
    struct TNameStyle;
    TNameStyle NameStyle() const;
    TpFIBRepository* MetadataRepository() const;
    TpFIBTableInfo* UpdateTableInfo(const std::string& table) const;
    std::string KeyCondition(const std::string& table, const std::vector<TField*>& keys,
                             TpFIBTableInfo& info);
    std::vector<TGeneratedColumn> ChangedColumns(const std::string& table, TGeneratedSQLKind kind,
                                                 TpFIBTableInfo& info);
    bool FieldGoesToServer(TField* field, TGeneratedSQLKind kind, TRecordBuffer record,
                           TRecordBuffer oldImage);
    Variant RecordValue(TRecordBuffer record, TField* field);
    bool BlobFieldModified(TRecordBuffer record, TField* field);
    TRecordBuffer PostingRecord() const;
    TFIBQuery& GeneratedStatement(TGeneratedSQLKind kind) const;
    void GenerateInto(TGeneratedSQLKind kind);
    bool HoldsGeneratedText(TGeneratedSQLKind kind) const;
    void CompleteKeyFields();
    void GenerateSQLsAfterOpen();
    TFIBQuery& StatementOfKind(TUpdateKind kind) const;
    void CheckRecordChanged(TFIBQuery& statement, TGeneratedSQLKind kind);
    void StoreReturnedRow(TFIBQuery& statement, TRecordBuffer buffer);
    void PrepareStatementOf(TFIBQuery& statement);
    TFIBUpdateAction UpdateErrorAction(EFIBError& error, TUpdateKind kind);
    void SendRecordUpdate(TUpdateKind kind, TRecordBuffer buffer);
    void ApplyRecordUpdate(int index);

    std::unique_ptr<TAutoUpdateOptions> autoUpdateOptions_ = std::make_unique<TAutoUpdateOptions>(this);
    TUpdateKinds allowedUpdateKinds_{ukModify, ukInsert, ukDelete};
    std::map<std::string, TField*> fieldNameCache_;  // by upper-cased name
    std::string generatedTexts_[4];                  // the texts last written, by kind
    std::string openedSelect_;                       // the select text of the last open
    TRecordBuffer applyingRecord_ = nullptr;         // the record ApplyUpdates is sending
    bool postingInsertion_ = false;                  // the post under way inserts
    TParams providerParams_;
};
