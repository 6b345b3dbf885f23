// "VCLDBIF": the binary interchange form of exported cells. A header with the column count and a
// byte pair per column, then one tagged value per exported cell, record by record, then a zero
// byte. Every integer is written little-endian whatever the machine.
#include <bit>
#include <cstring>

#include "data_grid/column.h"
#include "data_grid/column_value_field.h"
#include "data_grid/grid_export.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/stream.h"

namespace {

enum TVclDbIfTag : std::uint8_t { tagNoValue = 1, tagNull, tagInteger, tagFloat, tagString, tagBinary };

void PutByte(TStream& Stream, std::uint8_t Byte) {
    Stream.WriteBuffer(&Byte, 1);
}

void PutLittleEndian(TStream& Stream, std::uint64_t Value, int Size) {
    std::uint8_t bytes[8];
    for (int i = 0; i < Size; ++i) bytes[i] = static_cast<std::uint8_t>(Value >> (8 * i));
    Stream.WriteBuffer(bytes, Size);
}

void PutInt32(TStream& Stream, std::int32_t Value) {
    PutLittleEndian(Stream, static_cast<std::uint32_t>(Value), 4);
}

void PutBytes(TStream& Stream, TVclDbIfTag Tag, const std::string& Bytes) {
    PutByte(Stream, Tag);
    PutInt32(Stream, static_cast<std::int32_t>(Bytes.size()));
    Stream.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
}

TVclDbIfTag TagOf(TFieldType Type) {
    switch (Type) {
        case ftString:
        case ftBoolean:
        case ftMemo:
        case ftFixedChar:
        case ftLargeint:
        case ftOraClob:
        case ftGuid:
            return tagString;
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return tagInteger;
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftTimeStamp:
        case ftFMTBcd:
            return tagFloat;
        case ftBytes:
        case ftVarBytes:
        case ftBlob:
        case ftGraphic:
        case ftFmtMemo:
        case ftParadoxOle:
        case ftDBaseOle:
        case ftTypedBinary:
        case ftWideString:
        case ftOraBlob:
            return tagBinary;
        default:
            return tagNoValue;
    }
}

void PutValue(TStream& Stream, const TField* Field) {
    const TVclDbIfTag tag = Field != nullptr ? TagOf(Field->DataType()) : tagNoValue;
    if (tag == tagNoValue)
        return PutByte(Stream, tagNoValue);
    if (Field->IsNull())
        return PutByte(Stream, tagNull);
    switch (tag) {
        case tagInteger:
            PutByte(Stream, tagInteger);
            return PutInt32(Stream, Field->AsInteger());
        case tagFloat: {
            const double value = Field->DataType() == ftDate || Field->DataType() == ftTime ||
                                         Field->DataType() == ftDateTime || Field->DataType() == ftTimeStamp
                                     ? static_cast<double>(Field->AsDateTime())
                                     : Field->AsFloat();
            PutByte(Stream, tagFloat);
            return PutLittleEndian(Stream, std::bit_cast<std::uint64_t>(value), 8);
        }
        default:
            return PutBytes(Stream, tag, Field->AsString());
    }
}

}  // namespace

void TDBGridEhExportAsVCLDBIF::PutPrefix() {
    Stream->WriteBuffer("VCLDBIF", 7);
    PutByte(*Stream, 1);
    PutInt32(*Stream, ExportColumns->Count());
    for (int i = 0; i < ExportColumns->Count(); ++i) {
        PutByte(*Stream, ExportColumns->ColumnAt(i)->Visible() ? 1 : 0);
        PutByte(*Stream, 0);  // an empty zero-terminated column name
    }
}

void TDBGridEhExportAsVCLDBIF::PutSuffix() {
    PutByte(*Stream, 0);
}

void TDBGridEhExportAsVCLDBIF::PutDataCell(TColumnEh* Column, TColCellParamsEh& /*Params*/) {
    // A lookup column carries its key field's value, not the looked-up text.
    PutValue(*Stream, ColumnValueField(*Column));
}
