#pragma once
// TFIBCustomDataSet: the buffered dataset. Its rows come from a select statement, forward only,
// and are kept in a TRecordsCache, so the user can scroll back and forth over them. Five owned
// statements do the work: select, refresh, and the three modify statements.
//
// Record buffer layout (offsets from the buffer's start; N columns):
//   0-3    record index: 0-based position in the dataset
//   4      bookmark flag
//   5      cached-update status
//   6..    one NULL flag byte per column, column c (1-based) at 5 + c
//   then   the values of the columns not in the string store, each its descriptor size (how each
//          SQL type's value lies there is the record codec's, record_codec.h)
//   then   the long texts (string-store columns), each its SQL length
//   then   one 32-bit blob-stream slot per blob column: the stream's number in the dataset's list
//   then   the calculated-field area
// The cache keeps bytes 5 up to the end of the blob slots, without the long texts.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "firebird/fib_base.h"
#include "firebird/fib_query.h"
#include "firebird/param_field_access.h"
#include "firebird/transaction.h"
#include "firebird_datasets/dataset_option_sets.h"
#include "firebird_datasets/expression_parser.h"
#include "firebird_datasets/fib_fields.h"
#include "firebird_datasets/field_descr_list.h"
#include "firebird_datasets/record_codec.h"
#include "firebird_datasets/records_cache.h"
#include "firebird_datasets/sqls.h"
#include "platform/db/data_link.h"
#include "platform/db/dataset.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/notify_event.h"
#include "platform/rtl/screen_cursor.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/timer.h"

class TFIBDatabase;
class TFIBBlobStream;
class TFIBCustomDataSet;

// Stored as one byte in the record buffer.
enum TCachedUpdateStatus : std::uint8_t {
    cusUnmodified,
    cusModified,
    cusInserted,
    cusDeleted,
    cusUninserted,
    cusDeletedApplied
};
using TFIBUpdateRecordTypes = TSet<TCachedUpdateStatus>;

enum TTransactionKind { tkReadTransaction, tkUpdateTransaction };
enum TFIBUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApply, uaApplied };

using TOnFetchRecord = std::function<void(TFIBQuery* FromQuery, int RecordNumber, bool& StopFetching)>;
using TCompareFieldValues = std::function<int(TField* Field, const Variant& S1, const Variant& S2)>;
using TFIBUpdateErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TUpdateKind UpdateKind,
                                                TFIBUpdateAction& UpdateAction)>;
using TFIBUpdateRecordEvent =
    std::function<void(TDataSet* DataSet, TUpdateKind UpdateKind, TFIBUpdateAction& UpdateAction)>;

// What the dataset asks the repository about its columns. The metadata repository answers (its
// database's own unless the dataset is given another). Not owned by the dataset.
class IFIBColumnRepository {
  public:
    virtual ~IFIBColumnRepository() = default;
    virtual bool ColumnCanBeBoolean(const TFIBCustomDataSet& dataSet, TFIBXSQLVAR& column) = 0;
    virtual bool ColumnCanBeGuid(const TFIBCustomDataSet& dataSet, TFIBXSQLVAR& column) = 0;
    virtual bool DefaultIsEmptyString(const TFIBCustomDataSet& dataSet, const TField* field) = 0;
};

// LocateEx's options, bit by bit: case-insensitive, partial key, "%" patterns, search by halves
// over the sort order, stay at the nearest place when not found, look at no more records than
// were fetched less one.
enum TExtLocateOption {
    eloCaseInsensitive,
    eloPartialKey,
    eloWildCards,
    eloInSortedDS,
    eloNearest,
    eloInFetchedRecords
};
using TExtLocateOptions = TSet<TExtLocateOption>;

// One sort field as GetSortFieldInfo tells it; "Unknown" with indexes -1 for none.
struct TSortFieldInfo {
    std::string FieldName;
    int InDataSetIndex = -1;  // the field's index in Fields()
    int InOrderIndex = -1;    // its 1-based place in the order
    bool Asc = true;
};

// A field as DoSort takes it: an index, a one-letter name, the field, its name, or a variant
// holding an index or a name.
struct TSortFieldRef {
    std::variant<int, char, TField*, std::string, Variant> Value;
    TSortFieldRef(int index) : Value(index) {}
    TSortFieldRef(char letter) : Value(letter) {}
    TSortFieldRef(TField* field) : Value(field) {}
    TSortFieldRef(const char* name) : Value(std::string(name)) {}
    TSortFieldRef(std::string name) : Value(std::move(name)) {}
    TSortFieldRef(Variant value) : Value(std::move(value)) {}
};

// The link to the master data source; the master-detail work hangs on it (fib_data_link.cpp).
class TFIBDataLink : public TDetailDataLink {
  public:
    explicit TFIBDataLink(TFIBCustomDataSet& dataSet) : dataSet_(dataSet) {}

  protected:
    TDataSet* GetDetailDataSet() const override;
    // The master opened (the detail follows it) or closed (the detail closes).
    void ActiveChanged() override;
    // The master moved to another record: the detail follows when its parameters differ.
    void RecordChanged(TField* field) override;
    // The master's pending edits are none of the detail's business.
    void CheckBrowseMode() override {}

  private:
    TFIBCustomDataSet& dataSet_;
};

class TFIBCustomDataSet : public TDataSet,
                          public IParamFieldAccess,
                          public IFIBFieldDataSet,
                          public TSQLsOwner {
  public:
    explicit TFIBCustomDataSet(TComponent* AOwner);
    ~TFIBCustomDataSet() override;
    // Lets go of the transactions while the owned statements still exist.
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TFIBCustomDataSet"; }

    // Bytes of the record buffer header, and of a bookmark.
    static constexpr int RecordIndexOffset = 0;
    static constexpr int BookmarkFlagOffset = 4;
    static constexpr int StatusOffset = 5;
    static constexpr int BookmarkBytes = 8;

    // Connections.
    TFIBDatabase* Database() const { return link_->Database(); }
    void SetDatabase(TFIBDatabase* value);
    TFIBTransaction* Transaction() const { return link_->Transaction(); }
    void SetTransaction(TFIBTransaction* value);
    TFIBTransaction* UpdateTransaction() const { return updateQuery_->Transaction(); }
    virtual void SetUpdateTransaction(TFIBTransaction* value);
    TTransactionKind RefreshTransactionKind() const { return refreshTransactionKind_; }
    void SetRefreshTransactionKind(TTransactionKind value);
    TFIBBase& Link() const { return *link_; }

    // Statements and texts.
    TFIBQuery& QSelect() const { return *selectQuery_; }
    TFIBQuery& QRefresh() const { return *refreshQuery_; }
    TFIBQuery& QInsert() const { return *insertQuery_; }
    TFIBQuery& QUpdate() const { return *updateQuery_; }
    TFIBQuery& QDelete() const { return *deleteQuery_; }
    TStrings& SelectSQL() const { return selectQuery_->SQL(); }
    void SetSelectSQL(const TStrings& value);
    TStrings& InsertSQL() const { return insertQuery_->SQL(); }
    void SetInsertSQL(const TStrings& value) { insertQuery_->SQL().Assign(value); }
    TStrings& UpdateSQL() const { return updateQuery_->SQL(); }
    void SetUpdateSQL(const TStrings& value) { updateQuery_->SQL().Assign(value); }
    TStrings& DeleteSQL() const { return deleteQuery_->SQL(); }
    void SetDeleteSQL(const TStrings& value) { deleteQuery_->SQL().Assign(value); }
    TStrings& RefreshSQL() const { return refreshQuery_->SQL(); }
    void SetRefreshSQL(const TStrings& value) { refreshQuery_->SQL().Assign(value); }
    TSQLs& SQLs() const { return *sqls_; }
    TConditions& Conditions() const { return selectQuery_->Conditions(); }
    TFIBXSQLDA& Params() const { return selectQuery_->GetParams(); }
    const TStringList& TableNames() const { return tableNames_; }

    // Options.
    TpFIBDsOptions Options() const { return options_; }
    void SetOptions(TpFIBDsOptions value) { options_ = value; }
    TpPrepareOptions PrepareOptions() const { return prepareOptions_; }
    virtual void SetPrepareOptions(TpPrepareOptions value);
    TDetailConditions DetailConditions() const { return detailConditions_; }
    void SetDetailConditions(TDetailConditions value) { detailConditions_ = value; }
    bool AutoCommit() const { return autoCommit_; }
    void SetAutoCommit(bool value) { autoCommit_ = value; }
    TCursor SQLScreenCursor() const { return sqlScreenCursor_; }
    void SetSQLScreenCursor(TCursor value) { sqlScreenCursor_ = value; }
    int BufferChunks() const { return bufferChunks_; }
    void SetBufferChunks(int value);
    bool UniDirectional() const { return uniDirectional_; }
    void SetUniDirectional(bool value);
    bool CachedUpdates() const { return cachedUpdates_; }
    void SetCachedUpdates(bool value);
    TFIBUpdateRecordTypes UpdateRecordTypes() const { return updateRecordTypes_; }
    void SetUpdateRecordTypes(TFIBUpdateRecordTypes value);
    TDataSource* GetDataSource() const override;
    // Client error 50 for a source that would link the dataset to itself.
    void SetDataSource(TDataSource* value) override;
    // The repository given, else the database's own; nullptr without a database, or once the given
    // one was removed (set to nullptr or freed), when what needs it raises SNoMetadataRepository.
    IFIBColumnRepository* ColumnRepository() const;
    void SetColumnRepository(IFIBColumnRepository* value);
    // The repository, or the error naming the dataset and what needed it.
    IFIBColumnRepository& RequiredColumnRepository(const char* neededFor) const;
    // The wait before a detail follows its master's scrolling, in ms.
    int WaitEndMasterInterval() const { return waitEndMasterInterval_; }
    void SetWaitEndMasterInterval(int value) { waitEndMasterInterval_ = value; }

    // Checks: client errors 28 and 29 with the operation and the component path.
    void CheckDatasetClosed(const std::string& operation) const;
    void CheckDatasetOpen(const std::string& operation) const;

    // Active as the stored form keeps it: read while loading, the dataset opens once loaded.
    void SetStreamedActive(bool value);

    // Opening and fetching.
    virtual void OpenWithScreenCursor();
    void PrepareTransactions();
    bool Prepared() const { return prepared_; }
    // Fetches up to count more rows; returns how many came. Errors are raised, the rows so far kept.
    int FetchNext(int count);
    void FetchAll();
    int FetchedCount() const { return fetchedCount_; }
    int CurrentIndex() const { return currentIndex_; }
    bool UpdatesPending() const { return updatesPending_; }
    int CachedChangeCount() const { return pendingChanges_; }
    virtual void QueryRecordCount() {}

    // The counter that silences the scroll events while positive.
    void BeginInternalUpdate() { ++internalUpdateCount_; }
    void EndInternalUpdate();
    bool InInternalUpdate() const { return internalUpdateCount_ > 0; }

    // Navigation and records.
    int GetRecordCount() const override;
    int GetRecNo() const override;
    void SetRecNo(int value) override;
    bool IsSequenced() const override;
    bool BookmarkValid(const TBookmark& bookmark) const override;
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const override;
    TUpdateStatus UpdateStatus() const override;
    TCachedUpdateStatus CachedUpdateStatus() const;

    // Field data.
    bool GetFieldData(const TField* field, Variant& value) const override;
    void SetFieldData(TField* field, const Variant& value) override;
    TFieldClass GetFieldClass(TFieldType type) const override;
    std::unique_ptr<TStream> CreateBlobStream(TField* field, TBlobStreamMode mode) override;
    // IFIBFieldDataSet: the column behind a field, and array values.
    bool FieldColumn(const TField* field, TFIBFieldColumn& column) const override;
    Variant GetArrayFieldValues(TField* field) override;
    void SetArrayFieldValues(TField* field, const Variant& value) override;
    int ArrayFieldSize(const TField* field) const override;

    // Field information.
    XSQLVAR GetFieldXSQLVAR(const TField* field);
    int GetFieldScale(const TField* field);
    std::string GetRelationName(const TField* field);
    std::string GetSQLFieldName(const TField* field);
    int GetDefScale(const TFieldDef* def);
    std::string GetDefRelationName(const TFieldDef* def);
    std::string GetDefSQLFieldName(const TFieldDef* def);
    // The select column of a data field; nullptr for other fields and outside the layout.
    const TFieldDescr* ColumnOfField(const TField* field) const;

    // IParamFieldAccess.
    int GetParamCount() override;
    std::string GetParamName(int index) override;
    int GetFieldCount() override;
    bool FindFieldIndex(const std::string& name, int& index) override;
    bool FindParamIndex(const std::string& name, int& index) override;
    Variant GetFieldValueByName(const std::string& name) override;
    Variant GetFieldValue(int index) override;
    Variant GetParamValueByName(const std::string& name) override;
    Variant GetParamValue(int index) override;
    void SetParamValue(int index, const Variant& value) override;
    // Field values by name and index read the old values while this is set.
    bool ParamFieldOldValues() const { return paramFieldOldValues_; }
    void SetParamFieldOldValues(bool value) { paramFieldOldValues_ = value; }

    // Editing, locating and sorting belong to later work; these are the points it hangs on.
    // Editing is allowed by the modify statements' texts.
    virtual bool CanEdit() const;
    virtual bool CanInsert() const;
    virtual bool CanDelete() const;
    bool CanModify() const override { return CanEdit() || CanInsert() || CanDelete(); }
    virtual void CancelUpdates();
    void RevertRecordUpdate(int index, bool reinsert);
    // Parameters of a modify statement from a record: OLD_, NEW_ and MAS_ prefixes, else the field.
    void SetParamsFromRecord(TFIBQuery& statement, TRecordBuffer buffer);
    bool RefreshRecordByQuery(TFIBQuery& statement, TRecordBuffer buffer);
    void StartUpdateTransaction();
    void AutoCommitUpdate();
    void RemoveFromCache();
    void RefreshMaster();
    // ---- Locating and local sorting (fib_custom_dataset_locate.cpp, _sort.cpp, _resort.cpp,
    // _order_info.cpp) ----
    // Searches the cached records: linearly, or by halves over the current sort order (eloInSortedDS).
    virtual bool LocateEx(const std::string& keyFields, const Variant& keyValues, TExtLocateOptions options,
                          bool fromBeginning = true);
    bool Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options) override;
    // Searches by halves only over an order this dataset made itself with the same comparison.
    Variant Lookup(const std::string& keyFields, const Variant& keyValues,
                   const std::string& resultFields) override;
    bool LocateInSortOrder(const std::string& keyFields, const Variant& keyValues, TExtLocateOptions options);
    // Reorders the cached records (only the record map) and filters again.
    virtual void DoSort(const std::vector<TSortFieldRef>& fields, const std::vector<bool>& ordering);
    virtual void MoveRecord(int from, int to);  // 1-based record numbers
    int SortFieldCount() const { return static_cast<int>(sortFields_.size()); }
    bool IsSorted() const { return !sortFields_.empty(); }
    TSortFieldInfo GetSortFieldInfo(int n) const;  // 1-based
    std::string SortFieldNames() const;            // joined by ";"
    // The description as [0..n-1, 0..1] of name and ascending; Null when not sorted.
    Variant SortInfo() const;
    bool SortedByDoSort() const { return sortedByDoSort_; }
    int CompareFieldValues(TField* field, const Variant& value1, const Variant& value2);
    // Puts the current record where the sort order wants it (poKeepSorting), else drops the order.
    void ResortCurrentRecord();
    // The description from the select's ORDER BY, and the table-name list.
    void ReadOrderInfo();
    std::string GetFieldOrigin(TField* field);  // TABLE.COLUMN
    TField* FindFieldByOrigin(const std::string& origin);
    TField* FindFieldBySQLName(const std::string& name);
    // Calculated fields are left alone while a search reads records by other fields.
    void CalculateFields(TRecordBuffer buffer) override;

    // ---- Record filter and master-detail (fib_custom_dataset_filter.cpp, _master.cpp) ----
    // The filter text and options. While open the parser follows them, and a filtered dataset goes
    // to its first record; a closed dataset parses them when it opens.
    void SetFilterText(const std::string& value) override;
    void SetFilterOptions(TFilterOptions value) override;
    void SetFilterData(const std::string& text, TFilterOptions options);
    TExpressionParser* FilterParser() const { return filterParser_.get(); }
    // Filters again around the current record; to the first record when it no longer shows.
    virtual void ReapplyRecordFilter();
    void RepositionByBookmark();
    // Feeds the select parameters from the master's fields ("MAS_" names the master field).
    void AssignMasterParams();
    // The master moved or opened: reopen now, or once it has rested WaitEndMasterInterval ms.
    void MasterChanged();
    void MasterDisabled();
    void ReopenAsDetail();
    bool WaitingForMaster() const { return waitMasterTimer_ != nullptr && waitMasterTimer_->Enabled(); }
    bool ReopeningAsDetail() const { return reopeningAsDetail_; }
    friend class TFIBDataLink;

    // Events.
    TOnFetchRecord BeforeFetchRecord, AfterFetchRecord;
    TDataSetErrorEvent OnGetRecordError;
    TFieldNotifyEvent OnFieldChange;
    TDataSetNotifyEvent OnEnableControls, OnDisableControls;
    const TDataSetNotifyEvent& OnEndScroll() const { return onEndScroll_; }
    // A handler makes the end-of-scroll timer; none frees it.
    void SetOnEndScroll(TDataSetNotifyEvent value);
    TCompareFieldValues OnCompareFieldValues;
    TNotifyEvent BeforeStartTransaction, AfterStartTransaction;
    TEndTrEvent BeforeEndTransaction, AfterEndTransaction;
    TNotifyEvent BeforeStartUpdateTransaction, AfterStartUpdateTransaction;
    TEndTrEvent BeforeEndUpdateTransaction, AfterEndUpdateTransaction;
    TNotifyEvent DatabaseDisconnecting, DatabaseDisconnected, DatabaseFree;
    TNotifyEvent TransactionEnding, TransactionEnded, TransactionFree;
    TFIBUpdateErrorEvent OnUpdateError;
    TFIBUpdateRecordEvent OnUpdateRecord;

  protected:
    // Field reads return the values of records of any status until the scope ends.
    TFlagScope ReadingHiddenRecords() { return TFlagScope(readHiddenRecords_); }
    // A given repository that is freed leaves the dataset without one.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The record-buffer protocol.
    TRecordBuffer AllocRecordBuffer() override;
    void FreeRecordBuffer(TRecordBuffer& buffer) override;
    void InternalInitRecord(TRecordBuffer buffer) override;
    TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) override;
    void InternalFirst() override;
    void InternalLast() override;
    void InternalOpen() override;
    void InternalClose() override;
    bool IsCursorOpen() const override;
    void InternalInitFieldDefs() override;
    int BookmarkSize() const override { return BookmarkBytes; }
    void GetBookmarkData(TRecordBuffer buffer, char* data) const override;
    void SetBookmarkData(TRecordBuffer buffer, const char* data) override;
    TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) const override;
    void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override;
    void InternalGotoBookmark(const char* bookmark) override;
    void InternalSetToRecord(TRecordBuffer buffer) override;
    void InternalPost() override;
    void InternalDelete() override;
    void InternalAddRecord(TRecordBuffer buffer, bool append) override;
    void InternalHandleException() override;
    void ClearCalcFields(TRecordBuffer buffer) override;
    void CheckFieldCompatibility(const TField* field, const TFieldDef* def) const override;
    void DataEvent(TDataEvent event, std::intptr_t info) override;
    void DoBeforeScroll() override;
    void DoAfterScroll() override;
    void DoAfterOpen() override;
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    // The internal statements belong to the dataset, not to the stored form.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // Transaction and database notices.
    virtual void DoTransactionEnding();
    virtual void DoTransactionEnded();
    virtual void DoAfterEndUpdateTransaction(TFIBTransaction* transaction, TTransactionAction action,
                                             bool force);
    void DoDatabaseDisconnecting();
    void DoDatabaseDisconnected();
    void DoDatabaseFree();
    void DoTransactionFree();

    // Later work: deleting and posting on the server, what the user may see, post errors, master
    // parameters. The core's versions do nothing, or refuse.
    virtual void DeleteRecordOnServer(TFIBQuery& statement, TRecordBuffer buffer);
    virtual void InternalPostRecord(TFIBQuery& /*query*/, TRecordBuffer /*buffer*/) {}
    // A record shows when its status is one of UpdateRecordTypes.
    virtual bool RecordIsVisible(TRecordBuffer buffer) const;
    virtual void DoOnPostError(EDatabaseError& error, TDataAction& action);
    // The before and after steps of editing, and the framework's editing steps.
    void DoBeforeEdit() override;
    void DoBeforeInsert() override;
    void DoAfterInsert() override;
    void DoBeforeDelete() override;
    void DoBeforePost() override;
    void DoBeforeCancel() override;
    void DoAfterDelete() override;
    void InternalInsert() override;
    void InternalRefresh() override;
    void InternalCancel() override;
    // Saves the record's image as its old one; with CachedUpdates the change log keeps it.
    void SaveOldRecord(TRecordBuffer buffer);
    // True when a master field differs from the select parameter it feeds (fib_custom_dataset_master.cpp).
    virtual bool SetMasterParams();
    // A detail waiting for its master to stop scrolling follows it now: before an edit, insertion
    // or delete the detail must show the current master's records.
    virtual void ApplyPendingMasterScroll();
    // Hooks of opening: the filter parser (fib_custom_dataset_filter.cpp), and sorting again after the open.
    virtual void PrepareFilterParser();
    virtual void ApplySortingAfterOpen();
    // Work of a derived dataset at the editing steps: before an edit, insertion or deletion goes on
    // (the permission is asked afterwards), once BeforePost has run, after a post or a delete, and
    // after an open before AfterOpen.
    virtual void PrepareModifyStatement(TUpdateKind /*kind*/) {}
    virtual void PreparePost() {}
    virtual void FinishModification(TUpdateKind /*kind*/) {}
    virtual void PrepareAfterOpen() {}
    void DoAfterPost() override {
        FinishModification(ukModify);
        TDataSet::DoAfterPost();
    }
    // Cached changes being applied are pending; committed ones are none.
    void MarkUpdatesPending() { updatesPending_ = true; }
    void ClearPendingUpdates() {
        pendingChanges_ = 0;
        updatesPending_ = false;
    }
    // Set while cached updates are applied: field reads return the values of records of any status.
    bool ReadHiddenRecords() const { return readHiddenRecords_; }
    // The repository's answers about a column.
    virtual bool ColumnCanBeBoolean(TFIBXSQLVAR& column) const {
        return RequiredColumnRepository("boolean fields").ColumnCanBeBoolean(*this, column);
    }
    virtual bool ColumnCanBeGuid(TFIBXSQLVAR& column) const {
        return RequiredColumnRepository("GUID fields").ColumnCanBeGuid(*this, column);
    }
    virtual bool ColumnDefaultIsEmptyString(const TField* field) const {
        return RequiredColumnRepository("empty-string defaults").DefaultIsEmptyString(*this, field);
    }

    // Fetching into the cache and copying between cache and buffers.
    void BuildRecordLayout();
    void FetchRecordToCache(TFIBQuery& statement, int index);
    void FetchAndStore(TFIBQuery& statement, int index, TRecordBuffer buffer);
    void InitRecordBuffer(int index, TRecordBuffer buffer, bool old);
    void WriteRecordToCache(int index, TRecordBuffer buffer);
    // The buffer field values come from in the current state; nullptr when there is none.
    TRecordBuffer FieldDataBuffer() const;
    // Post may go on: 46 editing without CanEdit, 44 inserting without CanInsert, 42 otherwise.
    void CheckEditState() const;
    // A field value may be written: client error 43 outside editing.
    void CheckFieldWritable() const;
    TRecordsCache* Cache() const { return cache_.get(); }
    const TFIBFieldDescrList& Descriptors() const { return descriptors_; }
    TCachedUpdateStatus RecordStatus(TRecordBuffer buffer) const;
    void SetRecordStatus(TRecordBuffer buffer, TCachedUpdateStatus status);
    std::int32_t RecordIndexOf(TRecordBuffer buffer) const;
    bool ColumnIsNull(TRecordBuffer buffer, int column) const;  // 1-based column
    void SetColumnNull(TRecordBuffer buffer, int column, bool isNull);
    int RecordBufferSize() const { return recordBufferSize_; }
    int CalcFieldsOffset() const { return calcFieldsOffset_; }

    // Blob streams: the slot of a field in a buffer holds the stream's number in the list.
    std::int32_t* BlobStreamSlot(TRecordBuffer buffer, const TField* field) const;
    std::int32_t* BlobStreamSlotOfColumn(char* buffer, int column) const;  // 1-based column
    TFIBBlobStream* BlobStreamAt(std::int32_t number) const;
    // Finishes (posting) or cancels the streams of a buffer's blob fields, their identifiers
    // going into the record.
    void ReleaseBlobStreams(TRecordBuffer buffer, bool finish, TTransactionAction action);
    void FreeBlobStream(std::int32_t number);
    void FreeBlobStreams();
    std::vector<std::unique_ptr<TFIBBlobStream>> blobStreams_;
    // Numbers go on from the last list after the list is emptied, so a dataset stream kept across
    // a close and an open never reaches a stream of another record.
    std::int32_t blobStreamsBase_ = 0;
    std::size_t BlobStreamIndex(std::int32_t number) const;  // SIZE_MAX when no stream has it

    // TSQLsOwner.
    TStrings& GetSQLText(TSQLKind kind) override;
    void SetSQLText(TSQLKind kind, const TStrings& text) override;

  private:
    void CreateStatements();
    TFIBQuery* CreateStatement(const char* name);
    void SelectSQLChanging();
    void ConnectLinkHandlers();
    void MoveReadHandlers(TFIBTransaction* from, TFIBTransaction* to);
    void MoveUpdateHandlers(TFIBTransaction* from, TFIBTransaction* to);
    void ReadTransactionStarting(TObject* sender);
    void ReadTransactionStarted(TObject* sender);
    void ReadTransactionEnding(TFIBTransaction* transaction, TTransactionAction action, bool force);
    void ReadTransactionEnded(TFIBTransaction* transaction, TTransactionAction action, bool force);
    void UpdateTransactionStarting(TObject* sender);
    void UpdateTransactionStarted(TObject* sender);
    void UpdateTransactionEnding(TFIBTransaction* transaction, TTransactionAction action, bool force);
    void UpdateTransactionEnded(TFIBTransaction* transaction, TTransactionAction action, bool force);
    void PrepareStatements();
    void AddFieldDef(TFIBXSQLVAR& column, int number);
    // The 1-based select column of a field number; 0 for none.
    int ColumnOfFieldNo(int fieldNo) const;
    // Blob subtypes and BCD sizes of the fields made from the definitions.
    void AdjustDefaultFields();
    void DetachTransactions();
    void CreateCache();
    // One row more from the select cursor into the cache; false at its end.
    bool FetchNextRow();
    void FetchToEnd();
    TGetResult GetCurrentRecord(TRecordBuffer buffer);
    TGetResult GetNextRecord(TRecordBuffer buffer);
    TGetResult GetPriorRecord(TRecordBuffer buffer);
    TGetResult SkipInvisible(TRecordBuffer buffer, TGetMode mode);
    int CacheIndex(int index) const;  // modulo BufferChunks with UniDirectional
    bool IsCached(int index) const;   // false for a UniDirectional record whose place was reused
    std::int32_t BookmarkNumber(int index) const;
    int IndexOfBookmark(const char* bookmark) const;  // -1 for a record no longer there
    void ClearBlobSlotsOfImage(TFIBQuery& statement, char* image);
    // The record format with the dataset's options.
    TRecordCodec RecordCodec() const;
    void StoreColumn(const TRecordCodec& codec, const XSQLVAR& var, const TFieldDescr& descr, int column1,
                     int index, char* image);
    void StoreLongText(const TFieldDescr& descr, char* server, int index);
    Variant ReadColumn(const TField* field, const TFieldDescr& descr, const std::byte* data) const;
    Variant ReadBlobColumn(const TField* field) const;
    bool StoresNull(const TField* field, const TFieldDescr& descr, const Variant& value) const;
    void WriteColumn(TField* field, const TFieldDescr& descr, std::byte* data, const Variant& value);
    void WriteBlobColumn(TField* field, const Variant& value);
    void EndScrollTimerFired(TObject* sender);
    // Editing helpers.
    void CheckStillOpen(const char* eventName) const;
    void LoadArrayBuffers();
    int InsertionIndex(TRecordBuffer buffer) const;
    void PlaceInsertion(int index, TRecordBuffer buffer);
    void PostToServer(TFIBQuery& statement, TRecordBuffer buffer, bool inserting, int index);
    void CachedDelete(TRecordBuffer buffer);
    bool ChangeNeedsCount(TRecordBuffer buffer, bool inserting);
    void SetParamFromField(TFIBQuery& statement, TFIBXSQLVAR& param, TField* field, TRecordBuffer source,
                           bool oldValues);
    void WriteBlobParam(TFIBQuery& statement, TFIBXSQLVAR& param, TField* field, TRecordBuffer source,
                        const std::byte* data, bool oldValues);
    bool SetMasterParam(TFIBXSQLVAR& param, const std::string& fieldName);
    std::vector<std::byte> OldImageOf(TRecordBuffer buffer);
    // Locating and sorting.
    struct TSortField {
        std::string Name;
        bool Asc;
    };
    bool SortAscending(const TField* field) const;
    void ClearSortInfo();
    void DoLocalSort(const std::vector<TSortFieldRef>& fields, const std::vector<bool>& ordering);
    TField* SortFieldOf(const TSortFieldRef& ref, int position) const;
    void SortByOneField(TField* field, bool ascending);
    void SortBySeveralFields(const std::vector<TField*>& fields);
    int LocalSortCompare(TField* field, bool ascending, const Variant& value, const Variant& pivot);
    // Another record of the cache, read into the sort buffer (fetched up to it when needed).
    TRecordBuffer ReadOtherRecord(int index);
    Variant ReadOtherRecordValue(TField* field, TRecordBuffer buffer);
    void ReapplySortAfterOpen();
    void ExtraParamsFromRecord(TFIBQuery& statement, TRecordBuffer buffer,
                               const std::vector<std::byte>& oldImage);
    void ParamFromRecord(TFIBQuery& statement, TFIBXSQLVAR& param, TRecordBuffer buffer,
                         const std::vector<std::byte>& oldImage);
    // Record filter and master-detail.
    TDataSet* MasterDataSet() const;
    TField* MasterFieldOf(TDataSet& master, const std::string& paramName) const;
    // Visits the select's parameters, then those only the server text has, until `visit` says true.
    bool ForEachMasterParam(const std::function<bool(TFIBXSQLVAR&)>& visit);
    void StartMasterWait();
    void ReopenForMaster();

    std::unique_ptr<TFIBBase> link_;
    TFIBQuery* deleteQuery_ = nullptr;
    TFIBQuery* insertQuery_ = nullptr;
    TFIBQuery* refreshQuery_ = nullptr;
    TFIBQuery* updateQuery_ = nullptr;
    TFIBQuery* selectQuery_ = nullptr;
    std::unique_ptr<TFIBDataLink> dataLink_;
    // Record filter and master-detail.
    std::unique_ptr<TExpressionParser> filterParser_;
    std::unique_ptr<TTimer> waitMasterTimer_;
    bool reopeningAsDetail_ = false;
    std::unique_ptr<TSQLs> sqls_;
    TFIBFieldDescrList descriptors_;
    TStringList tableNames_;
    // Locating and sorting.
    std::vector<TSortField> sortFields_;
    bool sortedByDoSort_ = false;
    bool sortUsedCompareHandler_ = false;  // the order came through OnCompareFieldValues
    int resortingRecNo_ = -1;              // the record ResortCurrentRecord moves; searches skip it
    bool calcFieldsSuspended_ = false;     // a search by data fields only is running
    std::vector<std::byte> sortBuffer_;    // other records are read into it
    std::unique_ptr<TRecordsCache> cache_;
    std::unique_ptr<TTimer> endScrollTimer_;
    IFIBColumnRepository* repository_ = nullptr;
    TComponent* repositoryComponent_ = nullptr;
    bool repositoryGiven_ = false;
    TDataSetNotifyEvent onEndScroll_;

    TpFIBDsOptions options_{poTrimCharFields, poRefreshAfterPost, poStartTransaction, poAutoFormatFields};
    TpPrepareOptions prepareOptions_;
    TDetailConditions detailConditions_;
    bool autoCommit_ = false;
    TCursor sqlScreenCursor_ = 0;
    int waitEndMasterInterval_ = 300;
    bool paramFieldOldValues_ = false;
    bool readHiddenRecords_ = false;
    TTransactionKind refreshTransactionKind_ = tkReadTransaction;
    TFIBUpdateRecordTypes updateRecordTypes_;
    int bufferChunks_ = 32;
    bool uniDirectional_ = false;
    bool cachedUpdates_ = false;
    bool prepared_ = false;
    bool open_ = false;

    // Counters.
    int fetchedCount_ = 0;
    int currentIndex_ = -1;
    int hiddenCount_ = 0;
    int pendingChanges_ = 0;
    bool updatesPending_ = false;
    int internalUpdateCount_ = 0;
    bool controlsWereDisabled_ = false;

    // Layout.
    int headerSize_ = 0;
    int recordBufferSize_ = 0;
    int calcFieldsOffset_ = 0;
    int blobSlotsOffset_ = 0;
    int cacheRecordSize_ = 0;
    std::vector<int> blobSlotOfColumn_;  // per 0-based column; -1 for columns without a slot
    int longTextBytes_ = 0;
    int stringColumnCount_ = 0;
    std::vector<int> columnOfFieldNo_;  // field number - 1 -> 1-based select column
    bool fetchStopped_ = false;         // AfterFetchRecord asked to stop
    bool writingBlob_ = false;
    bool streamedActive_ = false;
    mutable std::vector<std::byte> tempBuffer_;  // old values are read into it
};

// The dataset with its SQL texts and options published.
class TFIBDataSet : public TFIBCustomDataSet {
  public:
    using TFIBCustomDataSet::TFIBCustomDataSet;
    std::string ClassName() const override { return "TFIBDataSet"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};
