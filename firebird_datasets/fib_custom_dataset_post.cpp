// Posting and deleting records: their place in the cache, their statuses and counts, and the
// statements that carry them to the server.
#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_bytes.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"

using fibds::StoreValue;

int TFIBCustomDataSet::InsertionIndex(TRecordBuffer buffer) const {
    if (currentIndex_ < 0 || GetBookmarkFlag(buffer) == bfEOF || GetRecordCount() == 0)
        return fetchedCount_;
    return std::min(currentIndex_, fetchedCount_);
}

// The new record goes before the one at index; at the end it extends the cache.
void TFIBCustomDataSet::PlaceInsertion(int index, TRecordBuffer buffer) {
    if (index < fetchedCount_)
        cache_->InsertRecord(CacheIndex(index));
    cache_->WriteRecord(CacheIndex(index) + 1, reinterpret_cast<const char*>(buffer) + StatusOffset, true);
}

void TFIBCustomDataSet::PostToServer(TFIBQuery& statement, TRecordBuffer buffer, bool inserting, int index) {
    if (inserting)
        PlaceInsertion(index, buffer);
    try {
        InternalPostRecord(statement, buffer);
    } catch (EDatabaseError& error) {
        if (inserting && index < fetchedCount_)
            cache_->DeleteRecord(CacheIndex(index) + 1);
        TDataAction action = daFail;
        DoOnPostError(error, action);
        throw;
    }
}

void TFIBCustomDataSet::InternalPost() {
    TScreenCursorScope cursor(sqlScreenCursor_);
    CheckEditState();
    TRecordBuffer buffer = ActiveBuffer();
    const bool inserting = State() == dsInsert;
    TFIBQuery* statement = updateQuery_;
    int index = RecordIndexOf(buffer);
    const bool needsCount = ChangeNeedsCount(buffer, inserting);
    const bool counted = needsCount && RecordStatus(buffer) != cusUnmodified;
    if (inserting) {
        statement = insertQuery_;
        SetRecordStatus(buffer, cusInserted);
        index = InsertionIndex(buffer);
        StoreValue<std::int32_t>(buffer + RecordIndexOffset, index);
        currentIndex_ = index;
    } else if (RecordStatus(buffer) == cusUninserted) {
        SetRecordStatus(buffer, cusInserted);
        --hiddenCount_;
    } else if (RecordStatus(buffer) == cusUnmodified) {
        SetRecordStatus(buffer, cusModified);
    }
    // Only cached changes stay pending; one posted to the server is done.
    if (cachedUpdates_) {
        if (needsCount && !counted)
            ++pendingChanges_;
        if (inserting)
            PlaceInsertion(index, buffer);
        WriteRecordToCache(index, buffer);
        updatesPending_ = true;
    } else {
        PostToServer(*statement, buffer, inserting, index);
        if (counted)
            --pendingChanges_;
    }
    if (inserting)
        ++fetchedCount_;
    if (!cachedUpdates_)
        ReleaseBlobStreams(buffer, true, TACommit);
    WriteRecordToCache(index, buffer);
    if (IsSorted())
        ResortCurrentRecord();
}

void TFIBCustomDataSet::InternalAddRecord(TRecordBuffer buffer, bool append) {
    if (!CanInsert())
        RaiseClientError(fceCannotInsert, {ComponentPath(this)});
    int index = currentIndex_;
    if (append) {
        if (!uniDirectional_)
            InternalLast();
        index = fetchedCount_;
    }
    index = std::clamp(index, 0, fetchedCount_);
    StoreValue<std::int32_t>(buffer + RecordIndexOffset, index);
    SetRecordStatus(buffer, cusInserted);
    if (cachedUpdates_) {
        PlaceInsertion(index, buffer);
        ++pendingChanges_;
        updatesPending_ = true;
    } else {
        PostToServer(*insertQuery_, buffer, true, index);
    }
    ++fetchedCount_;
    currentIndex_ = index;
    WriteRecordToCache(index, buffer);
}

void TFIBCustomDataSet::CachedDelete(TRecordBuffer buffer) {
    if (RecordStatus(buffer) == cusInserted) {
        SetRecordStatus(buffer, cusUninserted);
        --pendingChanges_;
    } else {
        SetRecordStatus(buffer, cusDeleted);
        ++pendingChanges_;
    }
    WriteRecordToCache(RecordIndexOf(buffer), buffer);
}

void TFIBCustomDataSet::InternalDelete() {
    TScreenCursorScope cursor(sqlScreenCursor_);
    if (!CanDelete())
        RaiseClientError(fceCannotDelete, {ComponentPath(this)});
    TRecordBuffer buffer = ActiveBuffer();
    if (cachedUpdates_)
        CachedDelete(buffer);
    else
        DeleteRecordOnServer(*deleteQuery_, buffer);
    ++hiddenCount_;
    if (pendingChanges_ > 0)
        updatesPending_ = true;
}

void TFIBCustomDataSet::DeleteRecordOnServer(TFIBQuery& statement, TRecordBuffer buffer) {
    StartUpdateTransaction();
    SetParamsFromRecord(statement, buffer);
    statement.Execute();
    SetRecordStatus(buffer, cusDeletedApplied);
    WriteRecordToCache(RecordIndexOf(buffer), buffer);
    if (!cachedUpdates_)
        AutoCommitUpdate();
}

// A failed post leaves the array fields' buffers as the record has them.
void TFIBCustomDataSet::DoOnPostError(EDatabaseError& /*error*/, TDataAction& /*action*/) {
    for (int i = 0; i < Fields().Count(); ++i) {
        if (auto* array = dynamic_cast<TFIBArrayField*>(Fields().Fields(i)))
            array->StoreBuffer();
    }
}

void TFIBCustomDataSet::StartUpdateTransaction() {
    TFIBTransaction* transaction = UpdateTransaction();
    if (transaction != nullptr && !transaction->Active() && options_.Contains(poStartTransaction))
        transaction->StartTransaction();
}

void TFIBCustomDataSet::AutoCommitUpdate() {
    TFIBTransaction* transaction = UpdateTransaction();
    if (!autoCommit_ || transaction == nullptr || !transaction->Active())
        return;
    if (transaction == Transaction() || transaction->TimeoutAction != TACommit)
        transaction->CommitRetaining();
    else
        transaction->Commit();
}
