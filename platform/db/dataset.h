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
#include <string>
#include <vector>

#include "platform/db/dataset_types.h"
#include "platform/db/field_defs.h"
#include "platform/db/fields.h"
#include "platform/rtl/component.h"
#include "platform/rtl/database_error.h"

class TDataSet;
class TDataSource;
class TField;
class Variant;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;

[[noreturn]] void DatabaseError(const std::string& message, const TComponent* component = nullptr);

class TDataSet : public TComponent {
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
    bool Modified() const { return modified_; }
    virtual bool CanModify() const { return true; }
    virtual TUpdateStatus UpdateStatus() const { return usUnmodified; }

    // A field's value in the record the state points at; false when it is null. The base holds
    // no data and raises; a dataset that stores values overrides both.
    virtual bool GetFieldData(const TField* field, Variant& value) const;
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

    // Data links see the controls-disabled state through these.
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
    // The master source a detail dataset follows; nullptr when it has none.
    virtual TDataSource* GetDataSource() const { return nullptr; }

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
    virtual void InitRecord(TRecordBuffer buffer);
    // A derived InternalOpen calls CreateFields when the dataset has no fields of its own; the
    // fields made are the dataset's to free, which DestroyFields does on close.
    void CreateFields();
    void DestroyFields();
    // The field class for a type: TStringField, TIntegerField, else the plain TField.
    virtual TField* MakeField(TFieldType type);

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
    // Runs OnFilterRecord on a candidate record, in the filter state; true when it passes.
    bool FilterAccepts(TRecordBuffer buffer);
    void ResetAfterFilterChange();

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
    int disableCount_ = 0;
    TDataSetState disableState_ = dsInactive;
    TDataEvent enableEvent_ = deDataSetChange;
};
