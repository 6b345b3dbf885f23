// Opening, closing and the window of record buffers.
#include "platform/db/dataset.h"

#include <algorithm>
#include <cstring>

#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/runtime.h"
#include "platform/rtl/update_scope.h"

void DatabaseError(const std::string& message, const TComponent* component) {
    if (component != nullptr && !component->Name().empty())
        throw EDatabaseError(component->Name() + ": " + message);
    throw EDatabaseError(message);
}

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

// The buffers went in BeforeDestruction, while the derived dataset could still free them. A
// dataset deleted without it still lets its data sources go, without calling the derived part.
TDataSet::~TDataSet() {
    state_ = dsInactive;
    while (fields_.Count() > 0) fields_.Fields(fields_.Count() - 1)->SetDataSet(nullptr);
    while (!dataSources_.empty()) dataSources_.back()->SetDataSet(nullptr);
}

void TDataSet::BeforeDestruction() {
    if (Active()) {
        try {
            Close();
        } catch (...) {
            InternalHandleException();
        }
    }
    SetBufferListSize(0);
    while (!dataSources_.empty()) dataSources_.back()->SetDataSet(nullptr);
    TComponent::BeforeDestruction();
}

void TDataSet::ReleaseWithoutEvents() {
    state_ = dsInactive;
    while (!dataSources_.empty()) dataSources_.back()->SetDataSet(nullptr);
    CloseCursor();
}

void TDataSet::InitFieldDefs() {
    {
        const auto update = UpdateScope(fieldDefs_);
        InternalInitFieldDefs();
    }
    fieldDefs_.SetUpdated(true);
}

void TDataSet::SetActive(bool value) {
    if (value == Active())
        return;
    if (value) {
        DoBeforeOpen();
        try {
            OpenCursor();
        } catch (...) {
            CloseCursor();
            state_ = dsInactive;
            throw;
        }
        SetState(dsBrowse);
        DoAfterOpen();
        if (!IsEmpty())
            DoAfterScroll();
    } else {
        DoBeforeClose();
        SetState(dsInactive);
        CloseCursor();
        DoAfterClose();
    }
}

void TDataSet::OpenCursor() {
    InternalOpen();
    int count = requestedBufferCount_;
    for (const TDataSource* source : dataSources_) count = std::max(count, source->MaxLinkBufferCount());
    SetBufferListSize(count + 1);
    bufferCount_ = count;
    ClearBuffers();
    InternalFirst();
    GetNextRecords();
    bof_ = true;
    eof_ = recordCount_ == 0;
}

void TDataSet::CloseCursor() {
    if (IsCursorOpen())
        InternalClose();
    ClearBuffers();
    SetBufferListSize(0);
    bof_ = eof_ = false;
    modified_ = false;
}

void TDataSet::InternalHandleException() {
    platform::Runtime().Exceptions.HandleException(this);
}

void TDataSet::CheckActive() const {
    if (!Active())
        DatabaseError("Cannot perform this operation on a closed dataset", this);
}

void TDataSet::CheckInactive() const {
    if (Active())
        DatabaseError("Cannot perform this operation on an open dataset", this);
}

void TDataSet::CheckCanModify() const {
    if (!CanModify())
        DatabaseError("Cannot modify a read-only dataset", this);
}

TRecordBuffer TDataSet::ActiveBuffer() const {
    if (buffers_.empty())
        return nullptr;
    return buffers_[static_cast<std::size_t>(activeRecord_)];
}

void TDataSet::SetBufferListSize(int size) {
    auto wanted = static_cast<std::size_t>(size);
    while (buffers_.size() > wanted) {
        FreeRecordBuffer(buffers_.back());
        buffers_.pop_back();
    }
    while (buffers_.size() < wanted) buffers_.push_back(AllocRecordBuffer());
    if (size == 0)
        bufferCount_ = 0;
}

void TDataSet::SetBufferCount(int value) {
    value = std::max(value, 1);
    requestedBufferCount_ = value;
    if (Active() && value != bufferCount_)
        ResizeWindow(value);
}

void TDataSet::UpdateBufferCount() {
    if (!Active())
        return;
    int count = requestedBufferCount_;
    for (const TDataSource* source : dataSources_) count = std::max(count, source->MaxLinkBufferCount());
    if (count != bufferCount_)
        ResizeWindow(count);
}

void TDataSet::ResizeWindow(int value) {
    if (value < bufferCount_) {
        // Keep the active record inside the smaller window.
        int drop = std::max(0, activeRecord_ - (value - 1));
        for (int i = 0; i < drop; ++i) MoveBuffer(0, recordCount_ - 1);
        activeRecord_ -= drop;
        recordCount_ = std::min(recordCount_ - drop, value);
        CursorPosChanged();
    }
    SetBufferListSize(value + 1);
    bufferCount_ = value;
    GetNextRecords();
    // The links' windows point into buffers that moved.
    DataEvent(deDataSetChange, 0);
}

void TDataSet::SetActiveRecord(int index) {
    if (index >= 0 && index < recordCount_)
        activeRecord_ = index;
}

void TDataSet::NotifyDataSources(TDataEvent event, std::intptr_t info) {
    auto sources = dataSources_;
    for (TDataSource* source : sources) source->DataEvent(event, info);
}

void TDataSet::ClearBuffers() {
    recordCount_ = 0;
    activeRecord_ = 0;
    currentRecord_ = -1;
    bof_ = eof_ = false;
}

void TDataSet::ActivateBuffers() {
    recordCount_ = 1;
    activeRecord_ = 0;
    currentRecord_ = 0;
    bof_ = eof_ = false;
}

void TDataSet::MoveBuffer(int from, int to) {
    if (from == to)
        return;
    auto begin = buffers_.begin();
    if (from < to)
        std::rotate(begin + from, begin + from + 1, begin + to + 1);
    else
        std::rotate(begin + to, begin + from, begin + from + 1);
}

void TDataSet::SetCurrentRecord(int index) {
    if (currentRecord_ == index)
        return;
    TRecordBuffer buffer = buffers_[static_cast<std::size_t>(index)];
    switch (GetBookmarkFlag(buffer)) {
        case bfCurrent:
        case bfInserted:
            InternalSetToRecord(buffer);
            break;
        case bfBOF:
            InternalFirst();
            break;
        case bfEOF:
            InternalLast();
            break;
    }
    currentRecord_ = index;
}

void TDataSet::UpdateCursorPos() {
    if (recordCount_ > 0)
        SetCurrentRecord(activeRecord_);
}

bool TDataSet::FetchIntoSpare(int anchor, TGetMode mode) {
    if (recordCount_ > 0)
        SetCurrentRecord(anchor);
    if (GetRecord(buffers_[static_cast<std::size_t>(recordCount_)], mode, true) != grOK) {
        CursorPosChanged();
        return false;
    }
    return true;
}

bool TDataSet::GetNextRecord() {
    if (!FetchIntoSpare(recordCount_ - 1, gmNext))
        return false;
    if (recordCount_ == 0) {
        ActivateBuffers();
        return true;
    }
    if (recordCount_ < bufferCount_)
        ++recordCount_;
    else
        MoveBuffer(0, recordCount_);
    currentRecord_ = recordCount_ - 1;
    return true;
}

bool TDataSet::GetPriorRecord() {
    if (!FetchIntoSpare(0, gmPrior))
        return false;
    if (recordCount_ == 0) {
        ActivateBuffers();
        return true;
    }
    MoveBuffer(recordCount_, 0);
    if (recordCount_ < bufferCount_)
        ++recordCount_;
    currentRecord_ = 0;
    return true;
}

int TDataSet::GetNextRecords() {
    int fetched = 0;
    while (recordCount_ < bufferCount_ && GetNextRecord()) ++fetched;
    return fetched;
}

int TDataSet::GetPriorRecords() {
    int fetched = 0;
    while (recordCount_ < bufferCount_ && GetPriorRecord()) ++fetched;
    return fetched;
}
