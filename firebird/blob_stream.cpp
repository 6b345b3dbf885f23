#include "firebird/blob_stream.h"

#include <algorithm>
#include <cstring>

#include "firebird/blob_routines.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/status_vector.h"
#include "firebird/transaction.h"
#include "platform/rtl/scope_exit.h"

bool IsEmptyBlobID(const ISC_QUAD& id) {
    return id.gds_quad_high == 0 && id.gds_quad_low == 0;
}

TFIBBlobStream::TFIBBlobStream(int fieldNo, std::vector<TFIBBlobStream*>* list)
    : streamList_(list), fieldNo_(fieldNo) {
    if (streamList_) {
        indexInList_ = static_cast<int>(streamList_->size());
        streamList_->push_back(this);
    }
}

TFIBBlobStream::~TFIBBlobStream() {
    try {
        CloseBlob();
    } catch (...) {  // the handle is gone with the connection; nothing to do in a destructor
    }
    if (streamList_ && indexInList_ >= 0 && indexInList_ < static_cast<int>(streamList_->size())) {
        TFIBBlobStream* last = streamList_->back();
        (*streamList_)[static_cast<std::size_t>(indexInList_)] = last;
        last->indexInList_ = indexInList_;
        streamList_->pop_back();
    }
}

void TFIBBlobStream::SetDatabase(isc_db_handle* database) {
    database_ = database;
    initialized_ = false;
}

void TFIBBlobStream::SetTransaction(isc_tr_handle* transaction) {
    transactionObject_ = nullptr;
    transaction_ = transaction;
    initialized_ = false;
}

void TFIBBlobStream::SetDatabase(TFIBDatabase* database) {
    library_ = database ? &database->GetClientLibrary() : nullptr;
    databaseFilters_ = database ? &database->BlobFilters() : nullptr;
    SetDatabase(database ? database->HandleAddress() : nullptr);
}

void TFIBBlobStream::SetTransaction(TFIBTransaction* transaction) {
    SetTransaction(transaction ? transaction->HandleAddress() : nullptr);
    transactionObject_ = transaction;
}

void TFIBBlobStream::SetUpdateTransaction(TFIBTransaction* transaction) {
    updateTransaction_ = transaction ? transaction->HandleAddress() : nullptr;
}

void TFIBBlobStream::SetMode(TBlobStreamMode mode) {
    mode_ = mode;
    initialized_ = false;
}

void TFIBBlobStream::SetBlobID(const ISC_QUAD& id) {
    blobId_ = id;
    initialized_ = false;
}

void TFIBBlobStream::CheckReadable() const {
    if (mode_ == bmWrite)
        RaiseClientError(fceBlobCannotBeRead);
}

void TFIBBlobStream::CheckWritable() const {
    if (mode_ == bmRead)
        RaiseClientError(fceBlobCannotBeWritten);
}

void TFIBBlobStream::CheckHandles() const {
    if (!database_ || *database_ == 0)
        RaiseClientError(database_ ? fceDatabaseClosed : fceDatabaseNotAssigned, {"BlobStream"});
    if (!transaction_ || *transaction_ == 0)
        RaiseClientError(transaction_ ? fceNotInTransaction : fceTransactionNotAssigned, {"BlobStream"});
    if (!library_)
        RaiseClientError(fceDatabaseNotAssigned, {"BlobStream"});
}

void TFIBBlobStream::Check(ISC_STATUS status) {
    if (transactionObject_)
        transactionObject_->RaiseIfFailed(transactionObject_->ResetFpuAndMarkUsed(status));
    else if (status != 0)
        RaiseServerError(*library_, this);
}

void TFIBBlobStream::EnsureInitialized() {
    if (initialized_)
        return;
    if (mode_ == bmWrite || (mode_ == bmReadWrite && IsEmptyBlobID(blobId_)))
        ClearBlob();
    else
        OpenBlob();
    initialized_ = true;
}

// After a failure: the handle goes, whatever the server says to closing it.
void TFIBBlobStream::CloseBlobHandleQuietly() {
    library_->isc_close_blob(StatusVector(), &blobHandle_);
    blobHandle_ = 0;
}

void TFIBBlobStream::OpenBlob() {
    CheckReadable();
    CheckHandles();
    blobHandle_ = 0;
    Check(library_->isc_open_blob2(StatusVector(), database_, transaction_, &blobHandle_, &blobId_, 0,
                                   nullptr));
    {
        const TScopeFail closeBlob([this] { CloseBlobHandleQuietly(); });
        LoadBlobData();
    }
    const ISC_STATUS status = library_->isc_close_blob(StatusVector(), &blobHandle_);
    blobHandle_ = 0;
    Check(status);
}

void TFIBBlobStream::LoadBlobData() {
    const TBlobInfo info = GetBlobInfo(library_, &blobHandle_);
    segments_ = info.Segments;
    maxSegment_ = info.MaxSegment;
    blobType_ = info.BlobType;
    buffer_.assign(static_cast<std::size_t>(std::max(info.TotalLength, 0)), '\0');
    ReadBlob(library_, &blobHandle_, buffer_.data(), static_cast<std::int32_t>(buffer_.size()));
    if (TIBBlobFilters* filters = Filters())
        filters->DoFilter(buffer_, false, blobSubType_);
    position_ = 0;
    modified_ = false;
}

std::int64_t TFIBBlobStream::Read(void* buffer, std::int64_t count) {
    CheckReadable();
    EnsureInitialized();
    const auto size = static_cast<std::int64_t>(buffer_.size());
    if (count <= 0 || position_ >= size)
        return 0;
    const std::int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, buffer_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

void TFIBBlobStream::KeepOldWhenPending() {
    if (keepOldPending_)
        KeepAsOldBuffer();
}

std::int64_t TFIBBlobStream::Write(const void* buffer, std::int64_t count) {
    CheckWritable();
    EnsureInitialized();
    KeepOldWhenPending();
    if (count > 0) {
        const auto end = static_cast<std::size_t>(position_ + count);
        if (end > buffer_.size())
            buffer_.resize(end, '\0');
        std::memcpy(buffer_.data() + position_, buffer, static_cast<std::size_t>(count));
        position_ += count;
        modified_ = true;
    }
    return count;
}

std::int64_t TFIBBlobStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    EnsureInitialized();
    std::int64_t target = offset;
    if (origin == soCurrent)
        target = position_ + offset;
    else if (origin == soEnd)
        target = static_cast<std::int64_t>(buffer_.size()) + offset;
    if (target < 0)
        throw EStreamError("Blob stream position before its start");
    position_ = target;
    return position_;
}

std::int64_t TFIBBlobStream::Size() {
    EnsureInitialized();
    return static_cast<std::int64_t>(buffer_.size());
}

void TFIBBlobStream::SetSize(std::int64_t newSize) {
    EnsureInitialized();
    buffer_.resize(static_cast<std::size_t>(std::max<std::int64_t>(newSize, 0)), '\0');
}

std::string TFIBBlobStream::GetAsString() {
    CheckReadable();
    EnsureInitialized();
    return buffer_;
}

void TFIBBlobStream::LoadFromStream(TStream& source) {
    CheckWritable();
    EnsureInitialized();
    KeepOldWhenPending();
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    std::string data(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    source.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    buffer_ = std::move(data);
    position_ = 0;
    modified_ = true;
}

void TFIBBlobStream::ClearBlob() {
    CheckWritable();
    blobId_ = ISC_QUAD{};
    Truncate();
}

void TFIBBlobStream::Truncate() {
    if (keepOldPending_)
        KeepAsOldBuffer();
    else
        buffer_.clear();
}

void TFIBBlobStream::KeepAsOldBuffer() {
    oldBuffer_ = std::move(buffer_);
    buffer_.clear();
    keepOldPending_ = false;
}

void TFIBBlobStream::Cancel() {
    if (!initialized_ || !modified_)
        return;
    buffer_ = oldBuffer_;
    modified_ = false;
    keepOldPending_ = true;
}

void TFIBBlobStream::WriteToServer(bool keepOnly, bool force) {
    if (!initialized_ || mode_ == bmRead || !(modified_ || force))
        return;
    if (keepOnly) {
        keepOldPending_ = true;
        modified_ = false;
        return;
    }
    CheckHandles();
    blobHandle_ = 0;
    Check(library_->isc_create_blob2(StatusVector(), database_, UpdateTRHandle(), &blobHandle_, &blobId_, 0,
                                     nullptr));
    std::string data = buffer_;
    if (TIBBlobFilters* filters = Filters())
        filters->DoFilter(data, true, blobSubType_);
    {
        const TScopeFail closeBlob([this] { CloseBlobHandleQuietly(); });
        WriteBlob(library_, &blobHandle_, data.data(), static_cast<std::int32_t>(data.size()));
    }
    const ISC_STATUS status = library_->isc_close_blob(StatusVector(), &blobHandle_);
    blobHandle_ = 0;
    Check(status);
}

void TFIBBlobStream::CommitBlob() {
    WriteToServer(false, false);
    WriteToServer(true, false);
}

void TFIBBlobStream::CloseBlob() {
    if (blobHandle_ != 0) {
        const ISC_STATUS status = library_->isc_close_blob(StatusVector(), &blobHandle_);
        blobHandle_ = 0;
        initialized_ = false;
        Check(status);
    }
}
