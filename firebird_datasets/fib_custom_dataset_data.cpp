// Field values: reading them from the record buffer and writing them into it.

#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/record_codec.h"
#include "platform/rtl/flag_scope.h"

namespace {

bool IsText(short sqlType) {
    return sqlType == SQL_TEXT || sqlType == SQL_VARYING;
}

// The form a field reads values in where the column's type leaves it open.
TValueForm ReadFormOf(const TField* field) {
    const TFieldType type = field->DataType();
    if (type == ftGuid)
        return TValueForm::AllBytes;
    if (type == ftBoolean)
        return TValueForm::Boolean;
    if (dynamic_cast<const TFIBBCDField*>(field) != nullptr || type == ftLargeint)
        return TValueForm::ScaledInteger;
    if (type == ftBCD || type == ftCurrency)
        return TValueForm::Currency;
    return TValueForm::Natural;
}

// A BCD field writes its unscaled integer; other fields write what their value's type says.
TValueForm WriteFormOf(const TField* field) {
    return dynamic_cast<const TFIBBCDField*>(field) != nullptr ? TValueForm::ScaledInteger
                                                               : TValueForm::Natural;
}

}  // namespace

TRecordCodec TFIBCustomDataSet::RecordCodec() const {
    return TRecordCodec(prepareOptions_.Contains(psSQLINT64ToBCD));
}

const TFieldDescr* TFIBCustomDataSet::ColumnOfField(const TField* field) const {
    if (field == nullptr || field->FieldKind != fkData)
        return nullptr;
    const int column = ColumnOfFieldNo(field->FieldNo());
    if (column <= 0 || column > descriptors_.Count())
        return nullptr;
    return descriptors_.GetDescr(column - 1);
}

bool TFIBCustomDataSet::GetFieldData(const TField* field, Variant& value) const {
    value = Variant::Null();
    TRecordBuffer buffer = FieldDataBuffer();
    if (buffer == nullptr)
        return false;
    if (field->FieldKind != fkData)
        return GetCalcFieldData(buffer + calcFieldsOffset_, field, value);
    // The status test only: a record filter reads fields itself and must not run again here.
    if (State() != dsOldValue && !readHiddenRecords_ && !TFIBCustomDataSet::RecordIsVisible(buffer))
        return false;
    const TFieldDescr* descr = ColumnOfField(field);
    if (descr == nullptr)
        return false;
    const int column = ColumnOfFieldNo(field->FieldNo());
    if (ColumnIsNull(buffer, column))
        return false;
    value = ReadColumn(field, *descr, buffer + descr->Offset);
    return true;
}

Variant TFIBCustomDataSet::ReadColumn(const TField* field, const TFieldDescr& descr,
                                      const std::byte* data) const {
    if (descr.SqlType == SQL_BLOB)
        return ReadBlobColumn(field);
    const TValueForm form = ReadFormOf(field);
    if (!IsText(descr.SqlType))
        return RecordCodec().Read(descr, data, form, false);
    if (field->Size() < descr.Size && field->DataType() != ftGuid)
        RaiseClientError(fceFieldSizeTooSmall, {Name(), field->FieldName});
    Variant text = RecordCodec().Read(descr, data, form, options_.Contains(poTrimCharFields));
    if (auto* stringField = dynamic_cast<const TFIBstringField*>(field);
        stringField != nullptr && !TRecordCodec::ReadsAllBytes(descr, form))
        stringField->SetValueLength(static_cast<int>(text.AsString().size()));
    return text;
}

// Blob values come through the field's stream, which the record keeps open: reading it again
// costs no server call, and under cached updates it reads after the transaction ended.
Variant TFIBCustomDataSet::ReadBlobColumn(const TField* field) const {
    auto* self = const_cast<TFIBCustomDataSet*>(this);
    std::unique_ptr<TStream> stream = self->CreateBlobStream(const_cast<TField*>(field), bmRead);
    std::string content(static_cast<std::size_t>(stream->Size()), '\0');
    stream->Seek(0, soBeginning);
    stream->ReadBuffer(content.data(), static_cast<std::int64_t>(content.size()));
    return Variant(std::move(content));
}

void TFIBCustomDataSet::CheckFieldWritable() const {
    if (State() != dsEdit && State() != dsInsert && State() != dsSetKey && State() != dsNewValue)
        RaiseClientError(fceNotEditing);
}

void TFIBCustomDataSet::SetFieldData(TField* field, const Variant& value) {
    TRecordBuffer buffer = FieldDataBuffer();
    if (buffer == nullptr)
        return;
    const TDataSetState state = State();
    const bool quiet =
        state == dsCalcFields || state == dsFilter || state == dsOldValue || state == dsNewValue;
    if (field->FieldKind != fkData) {
        SetCalcFieldData(buffer + calcFieldsOffset_, field, value);
    } else {
        const TFieldDescr* descr = ColumnOfField(field);
        if (descr == nullptr)
            return;
        CheckFieldWritable();
        const int column = ColumnOfFieldNo(field->FieldNo());
        const bool isNull = StoresNull(field, *descr, value);
        if (!isNull)
            WriteColumn(field, *descr, buffer + descr->Offset, value);
        SetColumnNull(buffer, column, isNull);
        if (RecordStatus(buffer) == cusUnmodified) {
            SetRecordStatus(buffer, state == dsInsert ? cusInserted : cusModified);
            ++pendingChanges_;
        }
        SetModified(true);
    }
    if (!quiet)
        DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

bool TFIBCustomDataSet::StoresNull(const TField* field, const TFieldDescr& descr,
                                   const Variant& value) const {
    if (value.IsNull() || value.IsEmpty())
        return true;
    const auto* text = dynamic_cast<const TFIBstringField*>(field);
    if (text == nullptr || !text->EmptyStrToNull() || !value.IsString() || !value.AsString().empty())
        return false;
    if (ColumnDefaultIsEmptyString(field))
        return descr.Nullable;
    return true;
}

void TFIBCustomDataSet::WriteColumn(TField* field, const TFieldDescr& descr, std::byte* data,
                                    const Variant& value) {
    if (descr.SqlType == SQL_BLOB)
        WriteBlobColumn(field, value);
    else
        RecordCodec().Write(descr, value, WriteFormOf(field), data);
}

// A blob's text goes to the server through the field's stream; the identifier comes back into
// the record when the stream is released.
void TFIBCustomDataSet::WriteBlobColumn(TField* field, const Variant& value) {
    if (writingBlob_)
        DatabaseError("Blob values are written through blob streams", this);
    const TFlagScope writing(writingBlob_);
    std::unique_ptr<TStream> stream = CreateBlobStream(field, bmWrite);
    const std::string text = value.AsString();
    stream->Write(text.data(), static_cast<std::int64_t>(text.size()));
}
