// "VCLDBIF" into the grid's columns by position. Every length and count is checked against the
// bytes left before anything is allocated or read, so a damaged block ends in the format error
// rather than a huge allocation or an endless walk.
#include <bit>
#include <cmath>
#include <cstring>

#include "data_grid/column.h"
#include "data_grid/column_value_field.h"
#include "data_grid/grid_import.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/stream.h"

namespace {

enum TVclDbIfTag : std::uint8_t { tagEnd, tagNoValue, tagNull, tagInteger, tagFloat, tagString, tagBinary };

constexpr int HeaderSize = 12;
// A column's visibility byte and the zero ending its name.
constexpr int ColumnHeaderMinSize = 2;

// The days a date and time can hold: 0001-01-01 to the end of 9999-12-31.
constexpr double FirstDateTime = -693593.0;
constexpr double EndDateTime = 2958466.0;

bool HoldsDateTime(const TField& Field) {
    const TFieldType type = Field.DataType();
    return type == ftDate || type == ftTime || type == ftDateTime || type == ftTimeStamp;
}

// A number read for a date field must be a day the calendar has, before the field turns it into
// whole days and milliseconds.
void CheckDateTimeValue(const TField& Target, const Variant& Value) {
    if (!HoldsDateTime(Target) || !Value.IsNumeric())
        return;
    const double days = Value.AsDouble();
    if (!std::isfinite(days) || days < FirstDateTime || days >= EndDateTime)
        throw EConvertError("'" + VarToStr(Value) + "' is not a valid date and time");
}

}  // namespace

void TDBGridEhImportAsVCLDBIF::FormatError() {
    throw Exception("TDBGridEhImportAsVCLDBIF.ReadPrefix: Неверный формат VCLDBIF");
}

void TDBGridEhImportAsVCLDBIF::ImportStream(TStream& AStream, bool ImportAll) {
    IgnoreAllErrors = false;
    CurrentValue = Variant();
    ColumnNames.clear();
    TDBGridEhImport::ImportStream(AStream, ImportAll);
}

std::int64_t TDBGridEhImportAsVCLDBIF::BytesLeft() {
    return Stream->Size() - Stream->Position();
}

void TDBGridEhImportAsVCLDBIF::ReadExactly(void* Buffer, std::int64_t Count) {
    if (Count < 0 || Count > BytesLeft() || Stream->Read(Buffer, Count) != Count)
        FormatError();
}

std::int32_t TDBGridEhImportAsVCLDBIF::ReadInt32() {
    std::uint8_t bytes[4];
    ReadExactly(bytes, 4);
    return static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[3]) << 24));
}

void TDBGridEhImportAsVCLDBIF::ReadPrefix() {
    std::uint8_t header[HeaderSize];
    ReadExactly(header, HeaderSize);
    if (std::memcmp(header, "VCLDBIF", 7) != 0)
        FormatError();
    std::memcpy(Signature, header, 7);
    Version = header[7];
    ColumnCount = static_cast<std::int32_t>(header[8] | (header[9] << 8) | (header[10] << 16) |
                                            (static_cast<std::uint32_t>(header[11]) << 24));
    if (ColumnCount < 0 || ColumnCount > BytesLeft() / ColumnHeaderMinSize)
        FormatError();
    ColumnNames.assign(static_cast<std::size_t>(ColumnCount), std::string());
    for (std::string& name : ColumnNames) {
        char c = 0;
        ReadExactly(&c, 1);  // visible
        for (ReadExactly(&c, 1); c != '\0'; ReadExactly(&c, 1)) name += c;
    }
    ReadNextValue();
    // Rows of no cells would never reach the end.
    if (ColumnCount == 0 && !EndOfSource)
        FormatError();
}

void TDBGridEhImportAsVCLDBIF::ReadNextValue() {
    if (EndOfSource)
        return;
    std::uint8_t tag = 0;
    ReadExactly(&tag, 1);
    CurrentValue = Variant();
    switch (tag) {
        case tagEnd:
            EndOfSource = true;
            return;
        case tagNoValue:
            return;
        case tagNull:
            CurrentValue = Variant::Null();
            return;
        case tagInteger:
            CurrentValue = Variant(ReadInt32());
            return;
        case tagFloat: {
            std::uint8_t bytes[8];
            ReadExactly(bytes, 8);
            std::uint64_t bits = 0;
            for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[i];
            CurrentValue = Variant(std::bit_cast<double>(bits));
            return;
        }
        case tagString:
        case tagBinary: {
            const std::int32_t length = ReadInt32();
            if (length < 0 || length > BytesLeft())
                FormatError();
            std::string text(static_cast<std::size_t>(length), '\0');
            ReadExactly(text.data(), length);
            CurrentValue = Variant(std::move(text));
            return;
        }
        default:
            FormatError();
    }
}

void TDBGridEhImportAsVCLDBIF::ReadRow(TColumnsEhList& Columns) {
    for (int i = 0; i < ColumnCount; ++i) ReadCell(i < Columns.Count() ? Columns.ColumnAt(i) : nullptr);
}

void TDBGridEhImportAsVCLDBIF::ReadCell(TColumnEh* Column) {
    if (!CurrentValue.IsEmpty() && Column != nullptr && Column->IsEditable(false)) {
        if (TField* target = ColumnValueField(*Column)) {
            GuardedWrite([&] {
                if (!BeginTargetEdit(*target))
                    return;
                CheckDateTimeValue(*target, CurrentValue);
                target->SetValue(CurrentValue);
            });
        }
    }
    ReadNextValue();
}
