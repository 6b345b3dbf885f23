// Blob streams of the dataset's records.
#include "firebird/blob_stream.h"
#include "firebird_datasets/fib_custom_dataset.h"

std::unique_ptr<TStream> TFIBCustomDataSet::CreateBlobStream(TField* field, TBlobStreamMode mode) {
    return TDataSet::CreateBlobStream(field, mode);
}

std::int32_t* TFIBCustomDataSet::BlobStreamSlot(TRecordBuffer buffer, const TField* field) const {
    if (buffer == nullptr || field == nullptr || field->FieldNo() <= 0)
        return nullptr;
    return BlobStreamSlotOfColumn(reinterpret_cast<char*>(buffer), field->FieldNo());
}

std::int32_t* TFIBCustomDataSet::BlobStreamSlotOfColumn(char* buffer, int column) const {
    if (column <= 0 || column > static_cast<int>(blobSlotOfColumn_.size()))
        return nullptr;
    int slot = blobSlotOfColumn_[static_cast<std::size_t>(column - 1)];
    if (slot < 0)
        return nullptr;
    return reinterpret_cast<std::int32_t*>(buffer + blobSlotsOffset_ + slot * 4);
}

TFIBBlobStream* TFIBCustomDataSet::BlobStreamAt(std::int32_t number) const {
    if (number <= 0 || number > static_cast<std::int32_t>(blobStreams_.size()))
        return nullptr;
    return blobStreams_[static_cast<std::size_t>(number - 1)].get();
}

void TFIBCustomDataSet::ReleaseBlobStreams(TRecordBuffer /*buffer*/, bool /*finish*/,
                                           TTransactionAction /*action*/) {}

void TFIBCustomDataSet::FreeBlobStream(std::int32_t number) {
    if (number > 0 && number <= static_cast<std::int32_t>(blobStreams_.size()))
        blobStreams_[static_cast<std::size_t>(number - 1)].reset();
}

void TFIBCustomDataSet::FreeBlobStreams() {
    blobStreams_.clear();
}
