// Applying cached updates record by record through OnUpdateRecord and OnUpdateError, and
// committing them.
#include <utility>

#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/flag_scope.h"

namespace {

bool KindOfStatus(TCachedUpdateStatus status, TUpdateKind& kind) {
    switch (status) {
        case cusModified:
            kind = ukModify;
            return true;
        case cusInserted:
            kind = ukInsert;
            return true;
        case cusDeleted:
            kind = ukDelete;
            return true;
        default:
            return false;
    }
}

}  // namespace

// Called while an EFIBError is handled: OnUpdateError decides; uaFail raises it again, uaAbort ends
// the apply quietly with its message.
TFIBUpdateAction TpFIBDataSet::UpdateErrorAction(EFIBError& error, TUpdateKind kind) {
    TFIBUpdateAction action = uaFail;
    if (OnUpdateError)
        OnUpdateError(this, error, kind, action);
    if (action == uaFail)
        throw;
    if (action == uaAbort)
        throw EAbort(error.Message);
    return action;
}

// A refused kind is an error, not a record quietly counted as applied.
void TpFIBDataSet::SendRecordUpdate(TUpdateKind kind, TRecordBuffer buffer) {
    const std::string path = ComponentPath(this);
    switch (kind) {
        case ukModify:
            if (!CanEdit())
                RaiseClientError(fceCannotUpdate, {path});
            RegenerateModifySQL(dsEdit);
            InternalPostRecord(QUpdate(), buffer);
            return;
        case ukInsert:
            if (!CanInsert())
                RaiseClientError(fceCannotInsert, {path});
            RegenerateModifySQL(dsInsert);
            InternalPostRecord(QInsert(), buffer);
            return;
        case ukDelete:
            if (!CanDelete())
                RaiseClientError(fceCannotDelete, {path});
            DeleteRecordOnServer(QDelete(), buffer);
            return;
    }
}

void TpFIBDataSet::ApplyRecordUpdate(int index) {
    std::vector<std::byte> record(static_cast<std::size_t>(RecordBufferSize()));
    TRecordBuffer buffer = record.data();
    InitRecordBuffer(index, buffer, false);
    const TCachedUpdateStatus status = RecordStatus(buffer);
    TUpdateKind kind;
    if (!KindOfStatus(status, kind))
        return;
    MarkUpdatesPending();
    // Field reads and the generated texts see this record, whatever its status.
    struct TApplying {
        TpFIBDataSet& dataSet;
        TRecordBuffer saved;
        ~TApplying() { dataSet.applyingRecord_ = saved; }
    } applying{*this, std::exchange(applyingRecord_, buffer)};
    const TFlagScope anyStatus = ReadingHiddenRecords();
    TFIBUpdateAction action = uaApply;
    if (OnUpdateRecord) {
        action = uaFail;
        try {
            ReadRecord(buffer, [&] { OnUpdateRecord(this, kind, action); });
        } catch (EFIBError& error) {
            action = UpdateErrorAction(error, kind);
        }
    }
    while (action == uaApply || action == uaRetry) {
        try {
            SendRecordUpdate(kind, buffer);
            // The statuses change only when the updates are committed.
            SetRecordStatus(buffer, status);
            WriteRecordToCache(index, buffer);
            action = uaApplied;
        } catch (EFIBError& error) {
            action = UpdateErrorAction(error, kind);
        }
    }
}

void TpFIBDataSet::ApplyUpdates() {
    if (State() == dsEdit || State() == dsInsert)
        Post();
    StartUpdateTransaction();
    const TBookmark bookmark = Active() ? GetBookmark() : TBookmark();
    {
        const auto controls = ControlsDisabledScope(*this);
        for (int index = 0; index < FetchedCount(); ++index) ApplyRecordUpdate(index);
    }
    if (!bookmark.empty() && BookmarkValid(bookmark))
        GotoBookmark(bookmark);
}

void TpFIBDataSet::CommitUpdates() {
    std::vector<std::byte> record(static_cast<std::size_t>(RecordBufferSize()));
    TRecordBuffer buffer = record.data();
    for (int index = 0; index < FetchedCount(); ++index) {
        InitRecordBuffer(index, buffer, false);
        const TCachedUpdateStatus status = RecordStatus(buffer);
        if (status == cusModified || status == cusInserted)
            SetRecordStatus(buffer, cusUnmodified);
        else if (status == cusDeleted)
            SetRecordStatus(buffer, cusDeletedApplied);
        else
            continue;
        WriteRecordToCache(index, buffer);
    }
    ClearPendingUpdates();
    // The log's images belong to changes now done: a later cancel must not bring them back.
    if (Cache() != nullptr)
        Cache()->ClearChangeLog();
    if (!Active())
        return;
    const TBookmark bookmark = GetBookmark();
    Resync({});
    if (!bookmark.empty() && BookmarkValid(bookmark))
        GotoBookmark(bookmark);
    if (TRecordBuffer active = ActiveBuffer(); active != nullptr && !IsEmpty())
        SaveOldRecord(active);
}
