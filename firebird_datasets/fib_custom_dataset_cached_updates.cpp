// Taking back cached changes, re-reading one record from the server and dropping one from the cache.
#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/string_list_utils.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/rtl/scope_exit.h"

void TFIBCustomDataSet::CancelUpdates() {
    const auto controls = ControlsDisabledScope(*this);
    if (State() == dsEdit || State() == dsInsert)
        Cancel();
    if (updatesPending_ && cachedUpdates_) {
        for (int index = 0; index < fetchedCount_; ++index) RevertRecordUpdate(index, false);
        pendingChanges_ = 0;
        updatesPending_ = false;
        cache_->ClearChangeLog();
        ReapplyRecordFilter();
    }
}

void TFIBCustomDataSet::RevertRecordUpdate(int index, bool reinsert) {
    if (!cache_ || index < 0 || index >= fetchedCount_ || !IsCached(index))
        return;
    const int n = CacheIndex(index) + 1;
    std::vector<std::byte> record(static_cast<std::size_t>(recordBufferSize_));
    InitRecordBuffer(index, record.data(), false);
    TRecordBuffer buffer = record.data();
    const bool logged = cache_->Logging() && cache_->FindChangePos(cache_->MapRecNo(n), false) != 0;
    switch (RecordStatus(buffer)) {
        case cusModified:
            cache_->RestoreOldRecord(n);
            return;
        case cusInserted:
            SetRecordStatus(buffer, cusUninserted);
            ++hiddenCount_;
            break;
        case cusDeleted:
            // A record edited before its delete gets its fetched values back.
            if (logged) {
                cache_->RestoreOldRecord(n);
                InitRecordBuffer(index, buffer, false);
            }
            SetRecordStatus(buffer, cusUnmodified);
            --hiddenCount_;
            break;
        case cusUninserted:
            if (!reinsert)
                return;
            SetRecordStatus(buffer, cusInserted);
            --hiddenCount_;
            pendingChanges_ += 2;
            break;
        default:
            return;
    }
    WriteRecordToCache(index, buffer);
}

bool TFIBCustomDataSet::RefreshRecordByQuery(TFIBQuery& statement, TRecordBuffer buffer) {
    TScreenCursorScope cursor(sqlScreenCursor_);
    if (IsEmptyStrings(statement.SQL()) || !Active()) {
        if (fetchedCount_ > hiddenCount_)
            RaiseClientError(fceCannotRefresh, {ComponentPath(this)});
        return false;
    }
    TFIBTransaction* transaction = statement.Transaction();
    if (options_.Contains(poStartTransaction) && transaction != nullptr && !transaction->Active())
        transaction->StartTransaction();
    if (!cachedUpdates_)
        SaveOldRecord(buffer);
    if (!statement.Open()) {
        SetParamsFromRecord(statement, buffer);
        statement.Execute();
    }
    bool found = false;
    {
        const TScopeExit close([&statement] { statement.Close(); });
        if (statement.SQLType() == SQLExecProcedure || statement.Next() != nullptr) {
            FetchAndStore(statement, RecordIndexOf(buffer), buffer);
            found = true;
        }
    }
    if (!found && options_.Contains(poRefreshDeletedRecord)) {
        RemoveFromCache();
        DoAfterRefresh();
    }
    return found;
}

void TFIBCustomDataSet::RemoveFromCache() {
    CheckDatasetOpen(" do delete from cache ");
    const auto controls = ControlsDisabledScope(*this);
    TRecordBuffer buffer = ActiveRecordBuffer();
    SetRecordStatus(buffer, cusDeletedApplied);
    ++hiddenCount_;
    WriteRecordToCache(RecordIndexOf(buffer), buffer);
    Resync({});
}

void TFIBCustomDataSet::InternalRefresh() {
    TRecordBuffer buffer = ActiveRecordBuffer();
    if (buffer == nullptr || GetBookmarkFlag(buffer) != bfCurrent)
        return;
    RefreshRecordByQuery(*refreshQuery_, buffer);
    if (IsSorted())
        ResortCurrentRecord();
    if (detailConditions_.Contains(dcForceMasterRefresh))
        RefreshMaster();
}
