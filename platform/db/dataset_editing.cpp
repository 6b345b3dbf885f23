// Insert, Append, Edit, Post, Cancel and Delete, with the retry loop of their error events.
#include "platform/db/dataset.h"

void TDataSet::InitRecord(TRecordBuffer buffer) {
    InternalInitRecord(buffer);
    ClearCalcFields(buffer);
    SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::CheckOperation(void (TDataSet::*operation)(), const TDataSetErrorEvent& onError) {
    for (;;) {
        try {
            UpdateCursorPos();
            (this->*operation)();
            return;
        } catch (EDatabaseError& error) {
            TDataAction action = daFail;
            if (onError)
                onError(this, error, action);
            if (action == daFail)
                throw;
            if (action == daAbort)
                Abort();
        }
    }
}

void TDataSet::BeginInsertAppend() {
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeInsert();
    DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
    SetState(dsInsert);
    try {
        DoOnNewRecord();
    } catch (...) {
        UpdateCursorPos();
        SetState(dsBrowse);
        Resync({});
        throw;
    }
    modified_ = false;
    DataEvent(deDataSetChange, 0);
    DoAfterInsert();
    DoAfterScroll();
}

void TDataSet::Insert() {
    BeginInsertAppend();
    TBookmark current = GetBookmark();
    bool wasEmpty = recordCount_ == 0;
    MoveBuffer(recordCount_, activeRecord_);
    TRecordBuffer buffer = ActiveBuffer();
    InitRecord(buffer);
    if (wasEmpty) {
        SetBookmarkFlag(buffer, bfBOF);
    } else if (!current.empty()) {
        SetBookmarkData(buffer, current.data());
    }
    if (recordCount_ < bufferCount_)
        ++recordCount_;
    bof_ = eof_ = false;
    // The cursor stays where it was; the new buffer marks the place to insert at.
    currentRecord_ = -1;
    InternalInsert();
    EndInsertAppend();
}

void TDataSet::Append() {
    BeginInsertAppend();
    ClearBuffers();
    // The new record lies past the last one: the dataset stands at its end until it moves.
    eof_ = true;
    TRecordBuffer buffer = buffers_[0];
    InitRecord(buffer);
    SetBookmarkFlag(buffer, bfEOF);
    recordCount_ = 1;
    GetPriorRecords();
    activeRecord_ = recordCount_ - 1;
    InternalLast();
    currentRecord_ = -1;
    InternalInsert();
    EndInsertAppend();
}

void TDataSet::Edit() {
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (recordCount_ == 0) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeEdit();
    CheckOperation(&TDataSet::InternalEdit, OnEditError);
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
    DoAfterEdit();
}

void TDataSet::UpdateRecord() {
    if (state_ != dsEdit && state_ != dsInsert && state_ != dsSetKey)
        DatabaseError("Dataset not in edit or insert mode", this);
    DataEvent(deUpdateRecord, 0);
}

void TDataSet::ResyncAfterChange() {
    if (skipResync_) {
        skipResync_ = false;
        return;
    }
    Resync({});
}

void TDataSet::Post() {
    UpdateRecord();
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    DataEvent(deCheckBrowseMode, 0);
    DoBeforePost();
    skipResync_ = false;  // only a post that went through may ask to skip
    CheckOperation(&TDataSet::InternalPost, OnPostError);
    SetState(dsBrowse);
    ResyncAfterChange();
    DoAfterPost();
}

void TDataSet::Cancel() {
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    DataEvent(deCheckBrowseMode, 0);
    DoBeforeCancel();
    // For a new record this puts the cursor where the record was to go in.
    UpdateCursorPos();
    InternalCancel();
    SetState(dsBrowse);
    Resync({});
    DoAfterCancel();
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (recordCount_ == 0)
        DatabaseError("Cannot perform this operation on an empty dataset", this);
    DataEvent(deCheckBrowseMode, 0);
    DoBeforeDelete();
    DoBeforeScroll();
    CheckOperation(&TDataSet::InternalDelete, OnDeleteError);
    SetState(dsBrowse);
    Resync({});
    DoAfterDelete();
    DoAfterScroll();
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode, 0);
    if (state_ == dsEdit || state_ == dsInsert) {
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
    }
}

bool TDataSet::GetFieldData(const TField* /*field*/, Variant& /*value*/) const {
    DatabaseError("Dataset holds no field data", this);
}

void TDataSet::SetFieldData(TField* /*field*/, const Variant& /*value*/) {
    DatabaseError("Dataset holds no field data", this);
}
