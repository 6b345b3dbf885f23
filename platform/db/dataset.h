#pragma once
// TDataSet: the record-buffer engine every dataset derives from. A derived dataset supplies the
// protocol (AllocRecordBuffer, GetRecord, InternalOpen, InternalPost ...); the base keeps a window
// of buffers, moves it as the cursor moves, drives the states and fires the events in their order.
//
// The window holds BufferCount buffers plus one spare; RecordCount of them are filled and
// ActiveRecord is the current one. Each Before/After event runs inside an overridable step
// (DoBeforeOpen, DoAfterScroll ...), so a dataset can do its own work there or suppress it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/blob_stream.h"
#include "platform/db/dataset_types.h"
#include "platform/db/field_defs.h"
#include "platform/db/fields.h"
#include "platform/db/provider_support.h"
#include "platform/rtl/component.h"
#include "platform/rtl/database_error.h"

class TDataSet;
class TDataSource;
class TField;
class TStream;
class Variant;

enum TLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TLocateOption>;

// A field class as a dataset's field-class table names it: its name and how to make one.
struct TFieldClass {
    const char* ClassName = nullptr;
    TField* (*Create)(TComponent* owner) = nullptr;
    explicit operator bool() const { return Create != nullptr; }
    bool operator==(const TFieldClass& other) const { return Create == other.Create; }
};
template <class F>
TFieldClass FieldClassOf(const char* className) {
    return {className, [](TComponent* owner) -> TField* { return new F(owner); }};
}

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;

[[noreturn]] void DatabaseError(const std::string& message, const TComponent* component = nullptr);

class TDataSet : public TComponent, public IProviderSupport {
  public:
    explicit TDataSet(TComponent* AOwner);
    ~TDataSet() override;
    // Closes while the derived dataset is still whole, so its overrides run.
    void BeforeDestruction() override;
    std::string ClassName() const override { return "TDataSet"; }

    // What the records hold; InitFieldDefs asks the derived dataset for it.
    TFieldDefs& FieldDefs() { return fieldDefs_; }
    const TFieldDefs& FieldDefs() const { return fieldDefs_; }
    void InitFieldDefs();
    // The fields in their order; made from the definitions on open when none were added.
    TFields& Fields() { return fields_; }
    const TFields& Fields() const { return fields_; }
    TField* FindField(const std::string& name) const { return fields_.FindField(name); }
    TField* FieldByName(const std::string& name) const { return fields_.FieldByName(name); }
    bool DefaultFields() const { return defaultFields_; }
    // The fields named in a ';'-separated list, in its order; raises for a missing one.
    std::vector<TField*> GetFieldList(const std::string& names) const;
    // One field's value, or for several names a variant array of their values.
    Variant FieldValues(const std::string& names) const;
    // One value for one field; for several names an array with an element per field.
    void SetFieldValues(const std::string& names, const Variant& value);
    // The class a field of this type is made of; an empty one for types that have none.
    virtual TFieldClass GetFieldClass(TFieldType type) const;
    // A stream over a blob field's value in the record the state points at.
    virtual std::unique_ptr<TStream> CreateBlobStream(TField* field, TBlobStreamMode mode);

    // Calculated and lookup fields live in an area of each record buffer that the dataset places
    // where it likes; each field takes a presence byte and DataSize bytes at its Offset.
    int CalcFieldsSize() const { return calcFieldsSize_; }
    // Recomputes the calculated fields of the active record after each change of a data field.
    bool AutoCalcFields = true;

    // Opening and closing.
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    // Moving.
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Returns the distance actually moved (negative backwards).
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const { return Active() && recordCount_ == 0 && state_ != dsInsert; }
    virtual int GetRecordCount() const { return -1; }
    int RecordCount() const { return GetRecordCount(); }
    virtual int GetRecNo() const { return -1; }
    virtual void SetRecNo(int /*value*/) {}
    int RecNo() const { return GetRecNo(); }
    virtual bool IsSequenced() const { return true; }
    virtual void Resync(TResyncMode mode);

    // Editing.
    void Insert();
    void Append();
    void Edit();
    virtual void Post();
    virtual void Cancel();
    void Delete();
    void CheckBrowseMode();
    void UpdateRecord();
    void Refresh();
    // Insert (or append), set the fields in order from the values, post. An Empty value leaves
    // its field as it is, Null clears it.
    void InsertRecord(const std::vector<Variant>& values);
    void AppendRecord(const std::vector<Variant>& values);
    bool Modified() const { return modified_; }
    virtual bool CanModify() const { return true; }
    virtual TUpdateStatus UpdateStatus() const { return usUnmodified; }

    // A field's value in the record the state points at; false when it is null. The base holds
    // no data and raises; a dataset that stores values overrides both.
    virtual bool GetFieldData(const TField* field, Variant& value) const;
    // A field's value read in a temporary state (dsOldValue, dsNewValue, dsCurValue); the dataset
    // answers GetFieldData in that state.
    virtual Variant GetStateFieldValue(TDataSetState state, const TField* field);
    // Stores a field's value in the active record; the field has already checked it may change.
    virtual void SetFieldData(TField* field, const Variant& value);

    // Bookmarks.
    bool BookmarkAvailable() const;
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& bookmark);
    virtual bool BookmarkValid(const TBookmark& /*bookmark*/) const { return false; }
    // Negative, zero or positive as the first marks a record before, at or after the second;
    // an empty bookmark comes before every other.
    virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;

    // Searching. Locate moves to the first record whose key fields hold the values (an array for
    // several fields) and says whether it found one; Lookup reads the result fields of that
    // record without moving (Null when none). The base scans the records in order.
    virtual bool Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options);
    virtual Variant Lookup(const std::string& keyFields, const Variant& keyValues,
                           const std::string& resultFields);

    // Data links see the controls-disabled state through these: the first disable and the last
    // enable send deDisabledStateChange (info 0, then 1, before the held notices) straight to the
    // data sources.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ != 0; }

    // The window of buffers.
    int BufferCount() const { return bufferCount_; }
    int BufferedRecordCount() const { return recordCount_; }
    int ActiveRecord() const { return activeRecord_; }
    TRecordBuffer ActiveBuffer() const;
    TRecordBuffer Buffer(int index) const { return buffers_.at(static_cast<std::size_t>(index)); }
    // Makes room for a data link's window; the spare buffer comes on top.
    void SetBufferCount(int value);
    // Grows or shrinks the window to the largest one a linked data link asks for.
    void UpdateBufferCount();
    // Points at another buffered record without scrolling, for a link that reads each of its
    // rows in turn; the caller puts it back.
    void SetActiveRecord(int index);
    // The master source a detail dataset follows; nullptr when it has none. Published as
    // "MasterSource"; a dataset that follows no master refuses one.
    virtual TDataSource* GetDataSource() const { return nullptr; }
    virtual void SetDataSource(TDataSource* value);
    // True when following master sources up from `source` reaches this dataset: making it the
    // master source would close a circle.
    bool IsLinkedTo(const TDataSource* source) const;
    // The open datasets whose detail links hang on this dataset's data sources.
    std::vector<TDataSet*> GetDetailDataSets() const;
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh, OnNewRecord, OnCalcFields;
    TDataSetErrorEvent OnPostError, OnEditError, OnDeleteError;

    // Filtering. A dataset that filters by itself overrides the setters; the base stores the
    // value and, while open, goes back to the first record that passes.
    bool Filtered() const { return filtered_; }
    virtual void SetFiltered(bool value);
    const std::string& Filter() const { return filterText_; }
    virtual void SetFilterText(const std::string& value);
    TFilterOptions FilterOptions() const { return filterOptions_; }
    virtual void SetFilterOptions(TFilterOptions value);
    const TFilterRecordEvent& OnFilterRecord() const { return onFilterRecord_; }
    virtual void SetOnFilterRecord(TFilterRecordEvent value);

  protected:
    // The record-buffer protocol.
    virtual TRecordBuffer AllocRecordBuffer() = 0;
    virtual void FreeRecordBuffer(TRecordBuffer& buffer) = 0;
    virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
    virtual TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) = 0;
    virtual void InternalFirst() = 0;
    virtual void InternalLast() = 0;
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual bool IsCursorOpen() const = 0;
    virtual void InternalInitFieldDefs() {}
    virtual int BookmarkSize() const { return 0; }
    virtual void GetBookmarkData(TRecordBuffer buffer, char* data) const = 0;
    virtual void SetBookmarkData(TRecordBuffer buffer, const char* data) = 0;
    virtual TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) const = 0;
    virtual void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) = 0;
    virtual void InternalGotoBookmark(const char* bookmark) = 0;
    virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
    virtual void InternalInsert() {}
    virtual void InternalEdit() {}
    virtual void InternalPost() = 0;
    virtual void InternalDelete() = 0;
    virtual void InternalCancel() {}
    virtual void InternalRefresh() {}
    virtual void InternalAddRecord(TRecordBuffer buffer, bool append) = 0;
    // Hands the exception being handled to the application's report.
    virtual void InternalHandleException();
    virtual void ClearCalcFields(TRecordBuffer /*buffer*/) {}
    // Computes the calculated and lookup fields of a buffer, in the calculated-fields state.
    void GetCalcFields(TRecordBuffer buffer);
    // Clears them, fills the lookup fields, then runs OnCalcFields.
    virtual void CalculateFields(TRecordBuffer buffer);
    virtual void CalcLookupValue(TField* field);
    // A field's value in a calculated-field area, and storing one there.
    bool GetCalcFieldData(const std::byte* area, const TField* field, Variant& value) const;
    void SetCalcFieldData(std::byte* area, const TField* field, const Variant& value) const;
    // A persistent field must hold the same kind of value as its definition (integers of any
    // width, dates and times, texts, blobs go together): raises "Type mismatch for field '%s',
    // expecting: %s actual: %s" otherwise. A dataset that needs exact types overrides it.
    virtual void CheckFieldCompatibility(const TField* field, const TFieldDef* def) const;
    // On open (true): data fields take their definition's number, calculated and lookup fields
    // their place in the calculated-field area. On close (false) the area goes.
    void BindFields(bool binding);
    virtual void InitRecord(TRecordBuffer buffer);
    // A derived InternalOpen calls CreateFields when the dataset has no fields of its own; the
    // fields made are the dataset's to free, which DestroyFields does on close.
    void CreateFields();
    void DestroyFields();
    // A field of the type's class (GetFieldClass); raises for a type without one.
    TField* MakeField(TFieldType type, const std::string& name);

    // The steps that fire the events; override to add work or to suppress them.
    virtual void DoBeforeOpen() { Fire(BeforeOpen); }
    virtual void DoAfterOpen() { Fire(AfterOpen); }
    virtual void DoBeforeClose() { Fire(BeforeClose); }
    virtual void DoAfterClose() { Fire(AfterClose); }
    virtual void DoBeforeInsert() { Fire(BeforeInsert); }
    virtual void DoAfterInsert() { Fire(AfterInsert); }
    virtual void DoBeforeEdit() { Fire(BeforeEdit); }
    virtual void DoAfterEdit() { Fire(AfterEdit); }
    virtual void DoBeforePost() { Fire(BeforePost); }
    virtual void DoAfterPost() { Fire(AfterPost); }
    virtual void DoBeforeCancel() { Fire(BeforeCancel); }
    virtual void DoAfterCancel() { Fire(AfterCancel); }
    virtual void DoBeforeDelete() { Fire(BeforeDelete); }
    virtual void DoAfterDelete() { Fire(AfterDelete); }
    virtual void DoBeforeScroll() { Fire(BeforeScroll); }
    virtual void DoAfterScroll() { Fire(AfterScroll); }
    virtual void DoBeforeRefresh() { Fire(BeforeRefresh); }
    virtual void DoAfterRefresh() { Fire(AfterRefresh); }
    virtual void DoOnNewRecord() { Fire(OnNewRecord); }
    virtual void DoOnCalcFields() { Fire(OnCalcFields); }

    // Sends a notice to the data sources unless controls are disabled.
    virtual void DataEvent(TDataEvent event, std::intptr_t info);
    // Where notices leave the dataset; data sources hear them here.
    virtual void NotifyDataSources(TDataEvent event, std::intptr_t info);
    void SetState(TDataSetState value);
    void SetModified(bool value) { modified_ = value; }
    void CheckActive() const;
    void CheckInactive() const;
    void CheckCanModify() const;
    // Puts the cursor back on the active record before an operation on it.
    void UpdateCursorPos();
    void CursorPosChanged() { currentRecord_ = -1; }
    // A dataset whose post already left the window right asks to skip the next resync.
    void SkipResyncAfterPost() { skipResync_ = true; }

    // For a derived destructor when BeforeDestruction did not run (a dataset on the stack):
    // closes without events, frees the buffers and lets the data sources go.
    void ReleaseWithoutEvents();

    // Switches the state for a moment without telling the controls; RestoreState puts it back.
    TDataSetState SetTempState(TDataSetState value);
    void RestoreState(TDataSetState value);
    // The buffer that field values come from in the current state: the record under test while
    // filtering, else the active one (nullptr when there is none).
    virtual TRecordBuffer ActiveRecordBuffer() const;
    // Reads the fields of a record that is not the active one: the buffer under test, in the
    // filter state, while `read` runs.
    void ReadRecord(TRecordBuffer buffer, const std::function<void()>& read);
    // Runs OnFilterRecord on a candidate record, in the filter state; true when it passes.
    bool FilterAccepts(TRecordBuffer buffer);
    void ResetAfterFilterChange();
    // For a dataset that filters by itself: the settings stored as they are, nothing else done.
    void StoreFilterSettings(bool filtered, const std::string& text, TFilterOptions options) {
        filtered_ = filtered;
        filterText_ = text;
        filterOptions_ = options;
    }
    // A dataset that reopens keeping its fields clears the mark, so closing leaves them, and sets
    // it again afterwards.
    void SetDefaultFields(bool value) { defaultFields_ = value; }

  private:
    friend class TDataSource;
    void Fire(const TDataSetNotifyEvent& event) {
        if (event)
            event(this);
    }
    void OpenCursor();
    void CloseCursor();
    void BeginInsertAppend();
    void EndInsertAppend();
    void CheckOperation(void (TDataSet::*operation)(), const TDataSetErrorEvent& onError);
    void ResyncAfterChange();
    void SetBufferListSize(int size);
    void ResizeWindow(int value);
    void ClearBuffers();
    void ActivateBuffers();
    void SetCurrentRecord(int index);
    void MoveBuffer(int from, int to);
    bool GetNextRecord();
    bool GetPriorRecord();
    // Fetches the record after (gmNext) or before (gmPrior) the window into the spare buffer, the
    // cursor first set to the window's record at anchor; false, with the cursor position unknown,
    // when there is none.
    bool FetchIntoSpare(int anchor, TGetMode mode);
    int GetNextRecords();
    int GetPriorRecords();
    TGetResult FetchCurrentOrNear(TRecordBuffer buffer);
    // Scans the records from the first into a buffer of its own for one whose key fields match;
    // on a match runs `found` on it (in the filter state) and leaves the cursor there.
    bool FindRecord(const std::string& keyFields, const Variant& keyValues, TLocateOptions options,
                    const std::function<void()>& found);
    void SetFieldsInOrder(const std::vector<Variant>& values);
    // A data field changed: the record is modified and its calculated fields follow.
    void FieldChanged(TField* field);

    TDataSetState state_ = dsInactive;
    TFieldDefs fieldDefs_{this};
    TFields fields_{this};
    bool defaultFields_ = false;
    std::vector<TRecordBuffer> buffers_;
    std::vector<TDataSource*> dataSources_;
    int requestedBufferCount_ = 1;
    int bufferCount_ = 0;
    int recordCount_ = 0;
    int activeRecord_ = 0;
    int currentRecord_ = -1;
    bool bof_ = false;
    bool eof_ = false;
    bool modified_ = false;
    bool skipResync_ = false;
    bool filtered_ = false;
    std::string filterText_;
    TFilterOptions filterOptions_;
    TFilterRecordEvent onFilterRecord_;
    TRecordBuffer filterBuffer_ = nullptr;
    TRecordBuffer calcBuffer_ = nullptr;
    int calcFieldsSize_ = 0;
    int disableCount_ = 0;
    TDataSetState disableState_ = dsInactive;
    TDataEvent enableEvent_ = deDataSetChange;
};
