// Blob streams of the dataset's records. A record buffer's blob slot holds the number of the
// field's open stream in the dataset's list (1-based, 0 for none); numbers are not reused while
// the dataset is open, so a slot copied into the cache keeps naming its own stream.
#include <cstring>

#include "firebird/blob_stream.h"
#include "firebird/database.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_ds_blob_stream.h"
#include "firebird_datasets/fib_fields.h"

namespace {

// Connects and starts what is needed for a moment, and puts both back as they were.
class TTemporaryConnection {
  public:
    TTemporaryConnection(TFIBDatabase* database, TFIBTransaction* transaction) : transaction_(transaction) {
        if (database && !database->Connected()) {
            database->SetConnected(true);
            database_ = database;
        }
        if (transaction && !transaction->Active()) {
            transaction->StartTransaction();
            started_ = true;
        }
    }
    ~TTemporaryConnection() {
        try {
            if (started_ && transaction_->Active())
                transaction_->Commit();
            if (database_)
                database_->SetConnected(false);
        } catch (...) {  // the blob was read; a failed clean-up must not escape a destructor
        }
    }
    TTemporaryConnection(const TTemporaryConnection&) = delete;
    TTemporaryConnection& operator=(const TTemporaryConnection&) = delete;

  private:
    TFIBTransaction* transaction_;
    TFIBDatabase* database_ = nullptr;
    bool started_ = false;
};

// The 1-based select column a descriptor describes; 0 for none.
int ColumnNumber(const TFIBFieldDescrList& descriptors, const TFieldDescr* descr) {
    for (int i = 0; descr != nullptr && i < descriptors.Count(); ++i)
        if (descriptors.GetDescr(i) == descr)
            return i + 1;
    return 0;
}

// A stream over one blob of the dataset's connection, in read-write mode.
std::unique_ptr<TFIBBlobStream> NewBlobStream(TFIBCustomDataSet& dataSet, TField* field, const ISC_QUAD& id) {
    auto blob = std::make_unique<TFIBBlobStream>();
    const auto* fibBlob = dynamic_cast<const TFIBBlobField*>(field);
    if (fibBlob)
        blob->SetBlobSubType(fibBlob->SubType());
    else if (dataSet.ColumnOfField(field))
        blob->SetBlobSubType(dataSet.GetFieldXSQLVAR(field).sqlsubtype);
    blob->SetMode(bmReadWrite);
    if (TFIBDatabase* database = dataSet.Database()) {
        blob->SetDatabase(database);
        blob->SetBlobFilters(&database->BlobFilters());
    }
    blob->SetTransaction(dataSet.Transaction());
    blob->SetUpdateTransaction(dataSet.UpdateTransaction());
    blob->SetBlobID(id);
    return blob;
}

// The blob slots end the cached image as they end the buffer's slot area.
void CopySlotToImage(char* image, int imageSize, int bytesFromSlotToEnd, std::int32_t number) {
    if (image != nullptr)
        std::memcpy(image + imageSize - bytesFromSlotToEnd, &number, sizeof number);
}

}  // namespace

std::unique_ptr<TStream> TFIBCustomDataSet::CreateBlobStream(TField* field, TBlobStreamMode mode) {
    if (mode != bmRead && !field->ReadOnly)
        CheckFieldWritable();
    TRecordBuffer buffer = FieldDataBuffer();
    if (buffer == nullptr)
        return NewBlobStream(*this, field, ISC_QUAD{});
    std::int32_t* slot = BlobStreamSlot(buffer, field);
    if (slot == nullptr)  // no blob column behind it: a calculated field keeps its bytes itself
        return TDataSet::CreateBlobStream(field, mode);
    const int column = ColumnNumber(Descriptors(), ColumnOfField(field));
    if (*slot == 0 && (!ColumnIsNull(buffer, column) || mode != bmRead)) {
        auto blob =
            NewBlobStream(*this, field, TRecordCodec::ReadQuad(buffer + ColumnOfField(field)->Offset));
        if (CachedUpdates()) {
            // The read transaction may have ended long ago: the blob is read now, while it can be.
            TTemporaryConnection connection(Database(), Transaction());
            blob->Seek(0, soBeginning);
        }
        blobStreams_.push_back(std::move(blob));
        *slot = blobStreamsBase_ + static_cast<std::int32_t>(blobStreams_.size());
        // Only the slot goes back to the cache, so the record finds its stream again from any buffer
        // (filters and sorting read records into buffers of their own): the rest of the buffer may
        // hold edits not posted. A buffer of old values is a scratch copy whose stream must not
        // become the record's.
        if (State() != dsInsert && State() != dsOldValue && Cache() != nullptr)
            CopySlotToImage(
                Cache()->RecordAddress(CacheIndex(RecordIndexOf(buffer)) + 1), Cache()->RecordSize(),
                CalcFieldsOffset() - static_cast<int>(reinterpret_cast<std::byte*>(slot) - buffer), *slot);
    }
    TFIBDSBlobStreamOwner owner{
        [this](std::int32_t number) { return BlobStreamAt(number); }, [this] { SetModified(true); },
        [this](TField* changed) { DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(changed)); }};
    return std::make_unique<TFIBDSBlobStream>(field, *slot, mode, std::move(owner));
}

std::int32_t* TFIBCustomDataSet::BlobStreamSlot(TRecordBuffer buffer, const TField* field) const {
    const int column = buffer ? ColumnNumber(Descriptors(), ColumnOfField(field)) : 0;
    return column > 0 ? BlobStreamSlotOfColumn(reinterpret_cast<char*>(buffer), column) : nullptr;
}

std::int32_t* TFIBCustomDataSet::BlobStreamSlotOfColumn(char* buffer, int column) const {
    if (column <= 0 || column > static_cast<int>(blobSlotOfColumn_.size()))
        return nullptr;
    const int slot = blobSlotOfColumn_[static_cast<std::size_t>(column - 1)];
    if (slot < 0)
        return nullptr;
    return reinterpret_cast<std::int32_t*>(buffer + blobSlotsOffset_ + slot * 4);
}

std::size_t TFIBCustomDataSet::BlobStreamIndex(std::int32_t number) const {
    if (number <= blobStreamsBase_ ||
        number - blobStreamsBase_ > static_cast<std::int32_t>(blobStreams_.size()))
        return SIZE_MAX;
    return static_cast<std::size_t>(number - blobStreamsBase_ - 1);
}

TFIBBlobStream* TFIBCustomDataSet::BlobStreamAt(std::int32_t number) const {
    const std::size_t index = BlobStreamIndex(number);
    return index == SIZE_MAX ? nullptr : blobStreams_[index].get();
}

void TFIBCustomDataSet::ReleaseBlobStreams(TRecordBuffer buffer, bool finish, TTransactionAction /*action*/) {
    if (buffer == nullptr)
        return;
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        const std::int32_t* slot = field->FieldKind == fkData ? BlobStreamSlot(buffer, field) : nullptr;
        TFIBBlobStream* blob = slot ? BlobStreamAt(*slot) : nullptr;
        if (blob == nullptr)
            continue;
        if (finish)
            blob->CommitBlob();
        else
            blob->Cancel();
        const ISC_QUAD id = blob->BlobID();
        TRecordCodec::WriteQuad(buffer + ColumnOfField(field)->Offset, id);
        SetColumnNull(buffer, ColumnNumber(Descriptors(), ColumnOfField(field)), blob->Size() == 0);
    }
}

void TFIBCustomDataSet::FreeBlobStream(std::int32_t number) {
    const std::size_t index = BlobStreamIndex(number);
    if (index != SIZE_MAX)
        blobStreams_[index].reset();
}

void TFIBCustomDataSet::FreeBlobStreams() {
    const auto used = static_cast<std::int32_t>(blobStreams_.size());
    // Past a billion numbers they start again; a stream kept that long is beyond reason.
    blobStreamsBase_ = blobStreamsBase_ > (1 << 30) - used ? 0 : blobStreamsBase_ + used;
    blobStreams_.clear();
}
