// Record buffers, bookmarks, record numbers and counts.
#include <algorithm>
#include <cstring>

#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_bytes.h"

using fibds::LoadValue;
using fibds::StoreValue;

TRecordBuffer TFIBCustomDataSet::AllocRecordBuffer() {
    return new std::byte[static_cast<std::size_t>(std::max(recordBufferSize_, calcFieldsOffset_ + 1))];
}

void TFIBCustomDataSet::FreeRecordBuffer(TRecordBuffer& buffer) {
    delete[] buffer;
    buffer = nullptr;
}

void TFIBCustomDataSet::InternalInitRecord(TRecordBuffer buffer) {
    std::memset(buffer, 0, static_cast<std::size_t>(recordBufferSize_));
    for (int column = 1; column <= descriptors_.Count(); ++column) SetColumnNull(buffer, column, true);
}

void TFIBCustomDataSet::ClearCalcFields(TRecordBuffer buffer) {
    std::memset(buffer + calcFieldsOffset_, 0, static_cast<std::size_t>(CalcFieldsSize()));
}

TCachedUpdateStatus TFIBCustomDataSet::RecordStatus(TRecordBuffer buffer) const {
    return static_cast<TCachedUpdateStatus>(buffer[StatusOffset]);
}

void TFIBCustomDataSet::SetRecordStatus(TRecordBuffer buffer, TCachedUpdateStatus status) {
    buffer[StatusOffset] = static_cast<std::byte>(status);
}

std::int32_t TFIBCustomDataSet::RecordIndexOf(TRecordBuffer buffer) const {
    return LoadValue<std::int32_t>(buffer + RecordIndexOffset);
}

bool TFIBCustomDataSet::ColumnIsNull(TRecordBuffer buffer, int column) const {
    return buffer[StatusOffset + column] != std::byte{0};
}

void TFIBCustomDataSet::SetColumnNull(TRecordBuffer buffer, int column, bool isNull) {
    buffer[StatusOffset + column] = isNull ? std::byte{1} : std::byte{0};
}

TBookmarkFlag TFIBCustomDataSet::GetBookmarkFlag(TRecordBuffer buffer) const {
    return static_cast<TBookmarkFlag>(buffer[BookmarkFlagOffset]);
}

void TFIBCustomDataSet::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) {
    buffer[BookmarkFlagOffset] = static_cast<std::byte>(flag);
}

// A UniDirectional cache reuses its places, so its bookmarks carry the record's own number.
std::int32_t TFIBCustomDataSet::BookmarkNumber(int index) const {
    if (uniDirectional_)
        return index + 1;
    return cache_ ? cache_->MapRecNo(index + 1) : 0;
}

int TFIBCustomDataSet::IndexOfBookmark(const char* bookmark) const {
    const std::int32_t number = LoadValue<std::int32_t>(bookmark);
    if (uniDirectional_)
        return number >= 1 && number <= fetchedCount_ && IsCached(number - 1) ? number - 1 : -1;
    return cache_ && number > 0 && cache_->ContainsRecord(number) ? cache_->IndexOfPhysical(number) : -1;
}

void TFIBCustomDataSet::GetBookmarkData(TRecordBuffer buffer, char* data) const {
    const std::int32_t physical = BookmarkNumber(RecordIndexOf(buffer));
    std::int32_t window = 0;
    for (int i = 0; i <= BufferedRecordCount() && i <= BufferCount(); ++i)
        if (Buffer(i) == buffer)
            window = i;
    StoreValue<std::int32_t>(data, physical);
    StoreValue<std::int32_t>(data + 4, window);
}

void TFIBCustomDataSet::SetBookmarkData(TRecordBuffer buffer, const char* data) {
    StoreValue<std::int32_t>(buffer + RecordIndexOffset, IndexOfBookmark(data));
}

void TFIBCustomDataSet::InternalGotoBookmark(const char* bookmark) {
    const int index = IndexOfBookmark(bookmark);
    if (index < 0)
        DatabaseError("Record not found", this);
    currentIndex_ = index;
}

void TFIBCustomDataSet::InternalSetToRecord(TRecordBuffer buffer) {
    currentIndex_ = RecordIndexOf(buffer);
}

bool TFIBCustomDataSet::BookmarkValid(const TBookmark& bookmark) const {
    return bookmark.size() == BookmarkBytes && IndexOfBookmark(bookmark.data()) >= 0;
}

int TFIBCustomDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
    if (a.size() < 4 || b.size() < 4)
        return TDataSet::CompareBookmarks(a, b);
    const std::int32_t left = LoadValue<std::int32_t>(a.data());
    const std::int32_t right = LoadValue<std::int32_t>(b.data());
    return left < right ? -1 : (left == right ? 0 : 1);
}

int TFIBCustomDataSet::GetRecordCount() const {
    if (uniDirectional_ && fetchedCount_ >= bufferChunks_)
        return bufferChunks_;
    return fetchedCount_ - hiddenCount_;
}

int TFIBCustomDataSet::GetRecNo() const {
    if (State() == dsFilter)
        return currentIndex_;
    TRecordBuffer buffer = ActiveRecordBuffer();
    if (!Active() || buffer == nullptr || GetBookmarkFlag(buffer) != bfCurrent)
        return 0;
    return RecordIndexOf(buffer) + 1;
}

void TFIBCustomDataSet::SetRecNo(int value) {
    CheckBrowseMode();
    value = std::max(value, 1);
    if (value > fetchedCount_) {
        FetchToEnd();
        value = std::min(value, fetchedCount_);
    }
    if (value <= 0 || value == GetRecNo())
        return;
    DoBeforeScroll();
    currentIndex_ = value - 1;
    Resync({.Exact = false, .Center = true});
    DoAfterScroll();
}

bool TFIBCustomDataSet::IsSequenced() const {
    // Rows still to come make the count and the numbers unknown.
    if (selectQuery_ == nullptr || (selectQuery_->Open() && !selectQuery_->Eof()) || uniDirectional_)
        return false;
    return !(Filtered() && fetchedCount_ > 0);
}

TCachedUpdateStatus TFIBCustomDataSet::CachedUpdateStatus() const {
    TRecordBuffer buffer = ActiveRecordBuffer();
    return buffer == nullptr ? cusUnmodified : RecordStatus(buffer);
}

TUpdateStatus TFIBCustomDataSet::UpdateStatus() const {
    switch (CachedUpdateStatus()) {
        case cusModified:
            return usModified;
        case cusInserted:
            return usInserted;
        case cusDeleted:
        case cusUninserted:
            return usDeleted;
        default:
            return usUnmodified;
    }
}

TRecordBuffer TFIBCustomDataSet::FieldDataBuffer() const {
    if (!Active())
        return nullptr;
    if (State() == dsOldValue) {
        TRecordBuffer active = ActiveBuffer();
        if (active == nullptr || GetBookmarkFlag(active) == bfInserted || !cache_)
            return nullptr;
        tempBuffer_.assign(static_cast<std::size_t>(recordBufferSize_), std::byte{0});
        auto* self = const_cast<TFIBCustomDataSet*>(this);
        self->InitRecordBuffer(RecordIndexOf(active), tempBuffer_.data(), true);
        return tempBuffer_.data();
    }
    if (State() == dsNewValue)
        return ActiveBuffer();
    return ActiveRecordBuffer();
}
