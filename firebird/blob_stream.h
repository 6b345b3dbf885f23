#pragma once
// One server blob as a stream: the data is loaded on first use, changed in a local buffer and
// written back as a new server blob when the owner finishes the edit. The data loaded (or last
// written) stays aside so that Cancel can bring it back.
#include <ibase.h>

#include <cstdint>
#include <string>
#include <vector>

#include "firebird/blob_filters.h"
#include "firebird/client_library.h"
#include "platform/rtl/blob_stream_mode.h"
#include "platform/rtl/stream.h"

class TFIBDatabase;
class TFIBTransaction;

class TFIBBlobStream : public TStream {
  public:
    TFIBBlobStream() : TFIBBlobStream(-1, nullptr) {}
    // With a list, the stream enters it and leaves it when destroyed.
    TFIBBlobStream(int fieldNo, std::vector<TFIBBlobStream*>* list);
    ~TFIBBlobStream() override;
    TFIBBlobStream(const TFIBBlobStream&) = delete;
    TFIBBlobStream& operator=(const TFIBBlobStream&) = delete;
    std::string ClassName() const override { return "TFIBBlobStream"; }

    // The connection: the handles are the owner's and must outlive the stream's use of them. A
    // null handle pointer means that no database or transaction is assigned; a zero handle that
    // it is not connected or not active.
    void SetLibrary(IIBClientLibrary* library) { library_ = library; }
    void SetDatabase(isc_db_handle* database);
    void SetTransaction(isc_tr_handle* transaction);
    void SetUpdateTransaction(isc_tr_handle* transaction) { updateTransaction_ = transaction; }
    // A stream on a database component filters through that database's table unless given another.
    void SetBlobFilters(TIBBlobFilters* filters) { filters_ = filters; }
    // The same through the connection's components, which must outlive the stream's use of
    // them; server errors then go through the transaction's status check.
    void SetDatabase(TFIBDatabase* database);
    void SetTransaction(TFIBTransaction* transaction);
    void SetUpdateTransaction(TFIBTransaction* transaction);
    void SetMode(TBlobStreamMode mode);
    void SetBlobID(const ISC_QUAD& id);
    void SetBlobSubType(int subtype) { blobSubType_ = subtype; }

    const ISC_QUAD& BlobID() const { return blobId_; }
    TBlobStreamMode Mode() const { return mode_; }
    bool Modified() const { return modified_; }
    int FieldNo() const { return fieldNo_; }
    int IndexInList() const { return indexInList_; }
    std::int32_t BlobMaxSegmentSize() const { return maxSegment_; }
    std::int32_t BlobNumSegments() const { return segments_; }
    std::int16_t BlobType() const { return blobType_; }
    // The handles in use: nullptr while not connected (not active); writing uses the update
    // transaction when there is one.
    isc_db_handle* GetDBHandle() const { return database_ && *database_ ? database_ : nullptr; }
    isc_tr_handle* GetTRHandle() const { return transaction_ && *transaction_ ? transaction_ : nullptr; }
    isc_tr_handle* GetUpdateTRHandle() const {
        isc_tr_handle* tr = UpdateTRHandle();
        return tr && *tr ? tr : nullptr;
    }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Raises EStreamError for a position before the start, which stays where it was.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;
    void SetSize(std::int64_t newSize) override;

    std::string GetAsString();
    void LoadFromStream(TStream& source);
    void ClearBlob();
    void Truncate();
    void Cancel();
    void WriteToServer(bool keepOnly, bool force);
    void CommitBlob();
    void CloseBlob();

  private:
    void CheckReadable() const;
    void CheckWritable() const;
    void CheckHandles() const;
    void Check(ISC_STATUS status);
    void EnsureInitialized();
    void OpenBlob();
    void CloseBlobHandleQuietly();
    void LoadBlobData();
    void KeepAsOldBuffer();
    void KeepOldWhenPending();
    isc_tr_handle* UpdateTRHandle() const { return updateTransaction_ ? updateTransaction_ : transaction_; }
    TIBBlobFilters* Filters() const { return filters_ ? filters_ : databaseFilters_; }

    IIBClientLibrary* library_ = nullptr;
    isc_db_handle* database_ = nullptr;
    isc_tr_handle* transaction_ = nullptr;
    isc_tr_handle* updateTransaction_ = nullptr;
    TFIBTransaction* transactionObject_ = nullptr;
    TIBBlobFilters* filters_ = nullptr;
    TIBBlobFilters* databaseFilters_ = nullptr;
    ISC_QUAD blobId_{};
    std::int32_t maxSegment_ = 0;
    std::int32_t segments_ = 0;
    std::int16_t blobType_ = 0;
    int blobSubType_ = 0;
    std::string buffer_;
    std::string oldBuffer_;
    bool initialized_ = false;
    isc_blob_handle blobHandle_ = 0;
    TBlobStreamMode mode_ = bmRead;
    bool modified_ = false;
    std::int64_t position_ = 0;
    std::vector<TFIBBlobStream*>* streamList_ = nullptr;
    int indexInList_ = -1;
    int fieldNo_ = -1;
    bool keepOldPending_ = true;
};

// True for the all-zero identifier, which names no blob.
bool IsEmptyBlobID(const ISC_QUAD& id);
