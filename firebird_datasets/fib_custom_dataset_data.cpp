// Field values: reading them from the record buffer and writing them into it.
#include <cmath>
#include <cstring>

#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_bytes.h"

namespace {

using fibds::LoadValue;
using fibds::MsPerDay;
using fibds::StoreValue;

// Day 1 of the buffer's dates is 1 January of year 1; TDateTime counts from 30 December 1899.
constexpr double kDateDelta = 693594.0;

std::int64_t Pow10(int exponent) {
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i) result *= 10;
    return result;
}

// Milliseconds since day 0 as a TDateTime; before 1899 the time of day counts backwards.
TDateTime MsToDateTime(double ms) {
    const double day = std::floor(ms / MsPerDay);
    const double time = (ms - day * MsPerDay) / MsPerDay;
    const double date = day - kDateDelta;
    return date < 0 ? date - time : date + time;
}

double DateTimeToMs(TDateTime value) {
    const double date = std::trunc(value);
    const double time = std::fabs(value - date);
    return std::round((date + kDateDelta) * MsPerDay + time * MsPerDay);
}

// Characters of a text column as the field shows them: trimmed of trailing blanks, or up to the
// first NUL.
std::size_t TextLength(const char* chars, int size, bool trim) {
    std::size_t length = strnlen(chars, static_cast<std::size_t>(size));
    if (trim)
        while (length > 0 && chars[length - 1] == ' ') --length;
    return length;
}

}  // namespace

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
    const auto* chars = reinterpret_cast<const char*>(data);
    switch (descr.SqlType) {
        case SQL_TEXT:
        case SQL_VARYING: {
            if (field->Size() < descr.Size && field->DataType() != ftGuid)
                RaiseClientError(fceFieldSizeTooSmall, {Name(), field->FieldName});
            if (descr.IsGUID || field->DataType() == ftGuid || descr.IsDBKey)
                return Variant(std::string(chars, static_cast<std::size_t>(descr.Size)));
            const std::size_t length = TextLength(chars, descr.Size, options_.Contains(poTrimCharFields));
            if (auto* text = dynamic_cast<TFIBstringField*>(const_cast<TField*>(field)))
                text->SetValueLength(static_cast<int>(length));
            return Variant(std::string(chars, length));
        }
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return Variant(LoadValue<double>(chars));
        case SQL_FLOAT:
            return Variant(static_cast<double>(LoadValue<float>(chars)));
        case SQL_LONG:
        case SQL_SHORT: {
            const std::int32_t raw =
                descr.SqlType == SQL_LONG ? LoadValue<std::int32_t>(chars) : LoadValue<std::int16_t>(chars);
            if (descr.Scale != 0)
                return Variant(static_cast<double>(raw) * std::pow(10.0, descr.Scale));
            if (field->DataType() == ftBoolean)
                return Variant(raw != 0);
            return Variant(static_cast<int>(raw));
        }
        case SQL_INT64:
            return ReadInt64Column(field, descr, chars);
        case SQL_TIMESTAMP:
            return Variant::FromDateTime(MsToDateTime(LoadValue<double>(chars)));
        case SQL_TYPE_DATE:
            return Variant::FromDateTime(static_cast<double>(LoadValue<std::int32_t>(chars)) - kDateDelta);
        case SQL_TYPE_TIME:
            return Variant::FromDateTime(static_cast<double>(LoadValue<std::int32_t>(chars)) / MsPerDay);
        case SQL_BOOLEAN16:
        case SQL_BOOLEAN:
            return Variant(LoadValue<std::int16_t>(chars) != 0);
        case SQL_BLOB:
            return ReadBlobColumn(field);
        default:
            return Variant(std::string(chars, static_cast<std::size_t>(descr.Size)));
    }
}

Variant TFIBCustomDataSet::ReadInt64Column(const TField* field, const TFieldDescr& descr,
                                           const char* chars) const {
    if (descr.Scale < -4 && !prepareOptions_.Contains(psSQLINT64ToBCD))
        return Variant(LoadValue<double>(chars));
    const auto scaled = LoadValue<std::int64_t>(chars);
    if (dynamic_cast<const TFIBBCDField*>(field) != nullptr || field->DataType() == ftLargeint)
        return Variant(static_cast<long long>(scaled));
    if (field->DataType() == ftBCD || field->DataType() == ftCurrency) {
        // Currency counts ten-thousandths: exact for scales down to -4.
        const int shift = 4 + descr.Scale;
        if (shift >= 0)
            return Variant::FromCurrency(scaled * Pow10(shift));
        return Variant::FromCurrency(scaled / Pow10(-shift));
    }
    if (descr.Scale == 0)
        return Variant(static_cast<long long>(scaled));
    return Variant(static_cast<double>(scaled) * std::pow(10.0, descr.Scale));
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
    auto* chars = reinterpret_cast<char*>(data);
    switch (descr.SqlType) {
        case SQL_TEXT:
        case SQL_VARYING: {
            const std::string text = value.AsString();
            const std::size_t size = static_cast<std::size_t>(descr.Size);
            std::memset(chars, 0, size);
            std::memcpy(chars, text.data(), std::min(text.size(), size));
            return;
        }
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            StoreValue<double>(chars, value.AsDouble());
            return;
        case SQL_FLOAT:
            StoreValue<float>(chars, static_cast<float>(value.AsDouble()));
            return;
        case SQL_LONG:
        case SQL_SHORT: {
            std::int64_t number = 0;
            if (descr.Scale != 0)
                number = std::llround(value.AsDouble() * std::pow(10.0, -descr.Scale));
            else if (value.VarType() == varBoolean)
                number = value.AsBoolean() ? 1 : 0;
            else
                number = value.AsInt64();
            if (descr.SqlType == SQL_LONG)
                StoreValue<std::int32_t>(chars, static_cast<std::int32_t>(number));
            else
                StoreValue<std::int16_t>(chars, static_cast<std::int16_t>(number));
            return;
        }
        case SQL_INT64:
            WriteInt64Column(field, descr, chars, value);
            return;
        case SQL_TIMESTAMP:
            StoreValue<double>(chars, DateTimeToMs(value.AsDateTime()));
            return;
        case SQL_TYPE_DATE:
            StoreValue<std::int32_t>(chars,
                                     static_cast<std::int32_t>(std::trunc(value.AsDateTime()) + kDateDelta));
            return;
        case SQL_TYPE_TIME: {
            const double time = std::fabs(value.AsDateTime() - std::trunc(value.AsDateTime()));
            StoreValue<std::int32_t>(chars, static_cast<std::int32_t>(std::llround(time * MsPerDay)));
            return;
        }
        case SQL_BOOLEAN16:
        case SQL_BOOLEAN:
            StoreValue<std::int16_t>(chars, value.AsBoolean() ? 1 : 0);
            return;
        case SQL_BLOB:
            WriteBlobColumn(field, value);
            return;
        default: {
            const std::string raw = value.AsString();
            std::memset(chars, 0, static_cast<std::size_t>(descr.Size));
            std::memcpy(chars, raw.data(), std::min(raw.size(), static_cast<std::size_t>(descr.Size)));
        }
    }
}

void TFIBCustomDataSet::WriteInt64Column(const TField* field, const TFieldDescr& descr, char* chars,
                                         const Variant& value) {
    if (descr.Scale < -4 && !prepareOptions_.Contains(psSQLINT64ToBCD)) {
        StoreValue<double>(chars, value.AsDouble());
        return;
    }
    std::int64_t scaled = 0;
    if (dynamic_cast<const TFIBBCDField*>(field) != nullptr || value.VarType() == varInt64) {
        scaled = value.AsInt64();
    } else if (value.VarType() == varCurrency) {
        const int shift = 4 + descr.Scale;
        const std::int64_t units = value.AsCurrency();
        scaled = shift >= 0 ? units / Pow10(shift) : units * Pow10(-shift);
    } else {
        scaled = std::llround(value.AsDouble() * std::pow(10.0, -descr.Scale));
    }
    StoreValue<std::int64_t>(chars, scaled);
}

// A blob's text goes to the server through the field's stream; the identifier comes back into
// the record when the stream is released.
void TFIBCustomDataSet::WriteBlobColumn(TField* field, const Variant& value) {
    if (writingBlob_)
        DatabaseError("Blob values are written through blob streams", this);
    writingBlob_ = true;
    try {
        std::unique_ptr<TStream> stream = CreateBlobStream(field, bmWrite);
        const std::string text = value.AsString();
        stream->Write(text.data(), static_cast<std::int64_t>(text.size()));
    } catch (...) {
        writingBlob_ = false;
        throw;
    }
    writingBlob_ = false;
}
