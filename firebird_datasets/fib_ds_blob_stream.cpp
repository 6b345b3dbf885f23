#include "firebird_datasets/fib_ds_blob_stream.h"

#include "firebird/blob_stream.h"
#include "firebird/fib_errors.h"
#include "platform/db/blob_fields.h"
#include "platform/db/dataset.h"

TFIBDSBlobStream::TFIBDSBlobStream(TField* field, std::int32_t number, TBlobStreamMode mode,
                                   TFIBDSBlobStreamOwner owner)
    : field_(field), number_(number), owner_(std::move(owner)) {
    TFIBBlobStream* inner = Inner();
    if (inner == nullptr)
        return;
    // Seeking loads the blob first, so that emptying it for writing is not undone by a later load.
    inner->Seek(0, soBeginning);
    if (mode == bmWrite)
        inner->Truncate();
}

TFIBDSBlobStream::~TFIBDSBlobStream() {
    if (!modified_)
        return;
    try {
        if (auto* blob = dynamic_cast<TBlobField*>(field_); blob && !blob->Modified)
            blob->Modified = true;
        if (owner_.FieldChanged)
            owner_.FieldChanged(field_);
    } catch (...) {  // a control's failure to repaint must not escape a destructor
    }
}

TFIBBlobStream* TFIBDSBlobStream::Inner() const {
    return owner_.StreamAt ? owner_.StreamAt(number_) : nullptr;
}

std::int64_t TFIBDSBlobStream::Read(void* buffer, std::int64_t count) {
    TFIBBlobStream* inner = Inner();
    return inner ? inner->Read(buffer, count) : 0;
}

void TFIBDSBlobStream::CheckEditing() const {
    const TDataSet* dataSet = field_ ? field_->DataSet() : nullptr;
    const TDataSetState state = dataSet ? dataSet->State() : dsInactive;
    if (state != dsEdit && state != dsInsert)
        RaiseClientError(fceNotEditing);
}

std::int64_t TFIBDSBlobStream::Write(const void* buffer, std::int64_t count) {
    CheckEditing();
    modified_ = true;
    if (owner_.MarkModified)
        owner_.MarkModified();
    if (auto* blob = dynamic_cast<TBlobField*>(field_))
        blob->Modified = true;
    TFIBBlobStream* inner = Inner();
    return inner ? inner->Write(buffer, count) : 0;
}

std::int64_t TFIBDSBlobStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    TFIBBlobStream* inner = Inner();
    return inner ? inner->Seek(offset, origin) : 0;
}

void TFIBDSBlobStream::SetSize(std::int64_t newSize) {
    if (TFIBBlobStream* inner = Inner())
        inner->SetSize(newSize);
}
