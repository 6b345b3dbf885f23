#include "platform/db/blob_stream.h"

#include "platform/db/blob_fields.h"
#include "platform/db/dataset.h"

TFieldBlobStream::TFieldBlobStream(TField* field, TBlobStreamMode mode) : field_(field), mode_(mode) {
    if (mode == bmWrite) {
        StoreInField();
        return;
    }
    const std::string value = field->AsString();
    if (!value.empty()) {
        TMemoryStream::Write(value.data(), static_cast<std::int64_t>(value.size()));
        SetPosition(0);
    }
}

void TFieldBlobStream::CheckWritable() const {
    if (mode_ == bmRead)
        DatabaseError("Cannot modify a read-only blob stream");
}

std::int64_t TFieldBlobStream::Write(const void* buffer, std::int64_t count) {
    CheckWritable();
    const std::int64_t written = TMemoryStream::Write(buffer, count);
    StoreInField();
    return written;
}

void TFieldBlobStream::SetSize(std::int64_t newSize) {
    CheckWritable();
    TMemoryStream::SetSize(newSize);
    StoreInField();
}

void TFieldBlobStream::StoreInField() {
    const auto* bytes = static_cast<const char*>(Memory());
    field_->SetAsString(Size() == 0 ? std::string() : std::string(bytes, static_cast<std::size_t>(Size())));
    if (auto* blob = dynamic_cast<TBlobField*>(field_))
        blob->Modified = true;
}
