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
#include "firebird_datasets/dataset_events.h"
#include "firebird_datasets/dataset_info.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/format_fields.h"
#include "firebird_datasets/generated_sql.h"
#include "platform/db/params.h"

class EFIBError;
class TDataSetsContainer;
class TpFIBRepository;
class TpFIBTableInfo;

class TpFIBDataSet : public TFIBDataSet {
  public:
    explicit TpFIBDataSet(TComponent* AOwner);
    ~TpFIBDataSet() override;
    std::string ClassName() const override { return "TpFIBDataSet"; }
    // Stored form: the core's properties, then formats, update options and kinds, the container,
    // the events received, the repository number and description, and Filtered.
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

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
    // ReceiveEvents is stored as its lines (pfib_dataset_published.cpp).
    void DefineProperties(TFiler& filer) override;

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
    // The repository, or SNoMetadataRepository naming what needed it.
    TpFIBRepository& MetadataRepository(const char* neededFor) const;
    TpFIBTableInfo* UpdateTableInfo(TpFIBRepository& repository, const std::string& table) const;
    bool FieldOfTable(TField* field, const std::string& table);
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

    // ---- Record locking, new-record values, formats, container and user events, record counts
    // and the repository link (pfib_dataset_lock.cpp, pfib_dataset_defaults.cpp,
    // pfib_dataset_formats.cpp, pfib_dataset_events.cpp, pfib_dataset_counts.cpp,
    // pfib_dataset_repository.cpp) ----
  public:
    // Points the framework's post and delete error events at the dataset's own handlers.
    void AfterConstruction() override;
    // Locks the current record on the server by updating it in the update transaction; asks
    // OnLockError on failure when told to raise (daFail raises, daAbort aborts, daRetry tries again).
    TLockStatus LockRecord(bool raiseOnFailure);
    TDataAction HandleLockError(TLockStatus status, std::string& message);
    // The lock statement's text for the current settings; raises when there is nothing to lock with.
    std::string LockSQLText();
    TFIBQuery& QLock() const { return *lockQuery_; }

    TFormatFields& DefaultFormats() const { return *defaultFormats_; }
    void SetDefaultFormats(const TFormatFields& value) { defaultFormats_->Assign(value); }
    // Display and edit formats, and what the repository and the columns say of each field.
    virtual void ApplyDefaultFormats();
    // Asks the container, then OnApplyDefaultValue, to give a new record's field its value.
    void ApplyDefaultValue(TField* field, bool& applied);
    // Adds "field=parameter" for each select parameter compared with a field in the WHERE clauses.
    void FillParamsToFieldsLinks(TStrings& list);

    TDataSetsContainer* Container() const { return container_; }
    void SetContainer(TDataSetsContainer* value);
    // The user events the dataset takes ("*" and "?" allowed); empty takes all.
    TStrings& ReceiveEvents() const { return *receiveEvents_; }
    void SetReceiveEvents(const TStrings& value) { receiveEvents_->Assign(value); }
    // "CLOSE" closes the dataset and "OPEN" opens it; other names go to the container. OnUserEvent
    // hears every one.
    void ReceiveUserEvent(TObject* sender, const std::string& eventName, std::string& info);

    // The select's record count asked from the server; 0 outside the read transaction.
    int ServerRecordCount();
    // Record numbers counting only the records the filter shows (poVisibleRecno).
    int VisibleRecNo() const;
    void SetVisibleRecNo(int value);
    int VisibleRecordCount() const;
    int GetRecordCount() const override;
    int GetRecNo() const override;
    void SetRecNo(int value) override;
    bool IsSequenced() const override;
    // The count asked from the server at the open (psAskRecordCount) with the insertions since.
    int KnownRecordCount() const { return knownRecordCount_; }

    // The number of the dataset's description in FIB$DATASETS_INFO; applied at the next open.
    int DataSet_ID() const { return dataSetId_; }
    void SetDataSet_ID(int value);
    void SetPrepareOptions(TpPrepareOptions value) override;
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& value) { description_ = value; }

    TLockErrorEvent OnLockError;
    TUserEvent OnUserEvent;
    TOnGetSQLTextProc OnAskRecordCount;
    TOnApplyDefaultValue OnApplyDefaultValue;
    // Heard after the container's error event; these hide the framework's events of the same
    // names, which the dataset keeps for itself.
    TDataSetErrorEvent OnPostError, OnDeleteError;

  protected:
    void DoBeforeOpen() override;
    void DoAfterOpen() override;
    void DoBeforeClose() override;
    void DoAfterClose() override;
    void DoBeforeInsert() override;
    void DoAfterInsert() override;
    // With poProtectedEdit an unchanged record is locked and read again before it is edited.
    void DoBeforeEdit() override;
    void DoAfterEdit() override;
    void DoBeforePost() override;
    // A protected record stays modified until the update transaction ends.
    void DoAfterPost() override;
    void DoBeforeCancel() override;
    void DoAfterCancel() override;
    void DoBeforeDelete() override;
    void DoAfterDelete() override;
    void DoBeforeScroll() override;
    void DoAfterScroll() override;
    // The generator, the empty-string defaults, GUIDs, linked parameters and default expressions.
    void DoOnNewRecord() override;
    void DoOnCalcFields() override;
    void DoBeforeRefresh() override;
    void DoAfterRefresh() override;
    // Records kept modified by protected edits become unchanged once the update transaction ends.
    void DoAfterEndUpdateTransaction(TFIBTransaction* transaction, TTransactionAction action,
                                     bool force) override;
    // The known record count, with psAskRecordCount.
    void QueryRecordCount() override;
    // Applies the repository's description of DataSet_ID before the statements are prepared.
    void OpenWithScreenCursor() override;

  private:
    // What the repository reads from and gives to the dataset.
    class TRepositoryLink : public IFIBRepositoryDataSet {
      public:
        explicit TRepositoryLink(TpFIBDataSet& dataSet) : dataSet_(dataSet) {}
        TFIBCustomDataSet& RepositoryDataSet() override { return dataSet_; }
        int RepositoryId() const override { return dataSet_.dataSetId_; }
        TAutoUpdateOptions& RepositoryUpdateOptions() override { return dataSet_.AutoUpdateOptions(); }
        std::string RepositoryDescription() const override { return dataSet_.description_; }
        void SetRepositoryDescription(const std::string& text) override { dataSet_.description_ = text; }

      private:
        TpFIBDataSet& dataSet_;
    };
    void NotifyContainer(TKindDataSetEvent event);
    void ReportError(TKindDataSetError kind, EDatabaseError& error, TDataAction& action);
    TLockStatus ExecuteLock(std::string& serverMessage);
    void SetLockParams();
    void ProtectedEdit();
    void ReleaseLockedRecords();
    void ApplyNewRecordValue(TField* field);
    void ApplyDefaultExpression(TField* field);
    // The data field over the table's column; nullptr when none.
    TField* FieldOfColumn(const std::string& table, const std::string& column);
    void ApplyFieldFormats(TField* field);
    bool FieldOfOtherTable(TField* field);
    void ApplyRepositoryToField(TField* field, TpFIBRepository& repository);
    std::string LockKeyCondition();
    int HiddenBefore(int recNo) const;
    void ApplyRepositoryDescription();
    void CopySelectParams(TFIBQuery& to, bool extraServerParams);

    TObjectPtr<TFIBQuery> lockQuery_ = MakeComponent<TFIBQuery>(nullptr);
    TObjectPtr<TFIBQuery> countQuery_ = MakeComponent<TFIBQuery>(nullptr);
    std::unique_ptr<TFormatFields> defaultFormats_ = std::make_unique<TFormatFields>(this);
    std::unique_ptr<TStringList> receiveEvents_ = std::make_unique<TStringList>();
    TRepositoryLink repositoryLink_{*this};
    TDataSetsContainer* container_ = nullptr;
    int knownRecordCount_ = 0;
    bool insertionPosting_ = false;
    bool linksPending_ = false;  // the select was prepared again: the parameter links are read anew
    int dataSetId_ = 0;
    std::string description_;
    int appliedDataSetId_ = 0;
    bool rawRecNo_ = false;  // record numbers count hidden records too
    // The visible-record count and the fetched count and filter it was worked out for.
    mutable int visibleCount_ = 0;
    mutable int visibleCountFetched_ = -1;
    mutable bool visibleCountFiltered_ = false;
};
