// Permission hooks, the checks before posting, and the before and after steps of editing.
#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/string_list_utils.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/db/data_source.h"
#include "platform/rtl/exceptions.h"

bool TFIBCustomDataSet::CanEdit() const {
    if (!IsEmptyStrings(UpdateSQL()))
        return true;
    TRecordBuffer buffer = ActiveBuffer();
    return cachedUpdates_ && buffer != nullptr && RecordStatus(buffer) == cusInserted;
}

bool TFIBCustomDataSet::CanInsert() const {
    return !IsEmptyStrings(InsertSQL());
}

bool TFIBCustomDataSet::CanDelete() const {
    return !IsEmptyStrings(DeleteSQL());
}

void TFIBCustomDataSet::CheckEditState() const {
    const std::string path = ComponentPath(this);
    switch (State()) {
        case dsEdit:
            if (!CanEdit())
                RaiseClientError(fceCannotUpdate, {path});
            return;
        case dsInsert:
            if (!CanInsert())
                RaiseClientError(fceCannotInsert, {path});
            return;
        default:
            RaiseClientError(fceNotInEditMode, {path});
    }
}

// A before-event handler may have closed the dataset; nothing can go on then.
void TFIBCustomDataSet::CheckStillOpen(const char* eventName) const {
    if (!Active())
        RaiseClientError(fceDatasetClosed, {std::string("continue after ") + eventName, ComponentPath(this)});
}

void TFIBCustomDataSet::LoadArrayBuffers() {
    for (int i = 0; i < Fields().Count(); ++i) {
        if (auto* array = dynamic_cast<TFIBArrayField*>(Fields().Fields(i)))
            array->LoadBuffer();
    }
}

void TFIBCustomDataSet::SaveOldRecord(TRecordBuffer buffer) {
    const int index = RecordIndexOf(buffer);
    if (cache_ && index >= 0 && index < fetchedCount_)
        cache_->SaveOldRecord(CacheIndex(index) + 1);
}

void TFIBCustomDataSet::DoBeforeEdit() {
    ApplyPendingMasterScroll();
    PrepareModifyStatement(ukModify);
    if (!CanEdit())
        Abort();
    TRecordBuffer buffer = ActiveBuffer();
    const TCachedUpdateStatus status = RecordStatus(buffer);
    // Without the change log the one old image may hold another record: save it at every edit, or
    // the update would go out with that record's key. With the log, a modified record keeps the
    // image from before its first edit.
    if (!cachedUpdates_ || status == cusUnmodified || status == cusInserted)
        SaveOldRecord(buffer);
    TDataSet::DoBeforeEdit();
    CheckStillOpen("BeforeEdit");
    LoadArrayBuffers();
}

void TFIBCustomDataSet::DoBeforeInsert() {
    ApplyPendingMasterScroll();
    PrepareModifyStatement(ukInsert);
    if (!CanInsert())
        Abort();
    TDataSet::DoBeforeInsert();
}

void TFIBCustomDataSet::DoAfterInsert() {
    LoadArrayBuffers();
    TDataSet::DoAfterInsert();
}

void TFIBCustomDataSet::DoBeforeDelete() {
    ApplyPendingMasterScroll();
    PrepareModifyStatement(ukDelete);
    if (!CanDelete())
        Abort();
    TRecordBuffer buffer = ActiveBuffer();
    // A modified record's log entry holds its fetched image: reverting the delete brings that back,
    // and the delete goes out with the fetched key.
    if (!cachedUpdates_ || RecordStatus(buffer) != cusModified)
        SaveOldRecord(buffer);
    TDataSet::DoBeforeDelete();
    CheckStillOpen("BeforeDelete");
}

void TFIBCustomDataSet::DoBeforePost() {
    if (State() == dsEdit || State() == dsInsert)
        TDataSet::DoBeforePost();
    CheckStillOpen("BeforePost");
    PreparePost();
}

void TFIBCustomDataSet::DoBeforeCancel() {
    TDataSet::DoBeforeCancel();
    CheckStillOpen("BeforeCancel");
}

void TFIBCustomDataSet::DoAfterDelete() {
    FinishModification(ukDelete);
    TDataSet::DoAfterDelete();
    if (detailConditions_.Contains(dcForceMasterRefresh) && !cachedUpdates_)
        RefreshMaster();
}

void TFIBCustomDataSet::RefreshMaster() {
    TDataSource* source = GetDataSource();
    TDataSet* master = source != nullptr ? source->DataSet() : nullptr;
    if (master != nullptr && master->Active())
        master->Refresh();
}

void TFIBCustomDataSet::InternalInsert() {
    TRecordBuffer buffer = ActiveBuffer();
    const TBookmarkFlag flag = GetBookmarkFlag(buffer);
    if (currentIndex_ >= 0 && (flag == bfEOF || (flag == bfBOF && GetRecordCount() == 0)))
        --currentIndex_;
    ReleaseBlobStreams(buffer, false, TARollback);
}

// The first value written to an unchanged or new record counted it as pending.
bool TFIBCustomDataSet::ChangeNeedsCount(TRecordBuffer buffer, bool inserting) {
    const int index = RecordIndexOf(buffer);
    if (inserting || index < 0 || index >= fetchedCount_)
        return true;
    std::vector<std::byte> record(static_cast<std::size_t>(recordBufferSize_));
    InitRecordBuffer(index, record.data(), false);
    return RecordStatus(record.data()) == cusUnmodified;
}

// A change cancelled before its post leaves nothing pending.
void TFIBCustomDataSet::InternalCancel() {
    TRecordBuffer buffer = ActiveBuffer();
    if (buffer != nullptr && RecordStatus(buffer) != cusUnmodified &&
        ChangeNeedsCount(buffer, State() == dsInsert))
        --pendingChanges_;
}
