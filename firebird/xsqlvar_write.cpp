// Writing a variable from each application type.
#include <cmath>
#include <cstring>

#include "firebird/bcd_utils.h"
#include "firebird/blob_stream.h"
#include "firebird/fib_array.h"
#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird/statement_context.h"
#include "firebird/xsqlda.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/memory_stream.h"

namespace {

constexpr std::size_t kLongestInlineText = 32767;
// Significant digits kept of a floating value written as a scaled integer: more would show the
// binary noise of the double.
constexpr int kExtendedDigits = 15;

std::int32_t ServerDay(const TTimeStamp& stamp) {
    return stamp.Date - TimeStampToServerDays;
}

std::int32_t ServerTime(const TTimeStamp& stamp) {
    return stamp.Time * 10;
}

// Texts sent for numeric parameters carry "." whatever the locale says.
std::string WithDotSeparator(std::string_view text) {
    std::string result(text);
    const char local = NumberFormat().DecimalSeparator;
    for (char& c : result)
        if (c == ',' || (c == local && local != '.'))
            c = '.';
    return result;
}

}  // namespace

short TFIBXSQLVAR::ServerSQLType() {
    if (OwnerQuery && OwnerArea && OwnerQuery->AppParamArea() == OwnerArea) {
        if (TFIBXSQLDA* server = OwnerQuery->ServerParamArea(); server && server != OwnerArea) {
            if (TFIBXSQLVAR* described = server->FindByNameRaw(VarName);
                described && described->DescribedType)
                return described->DescribedType;
        }
    }
    return ReadSQLType();
}

void TFIBXSQLVAR::WriteAsSmallint(std::int16_t value) {
    WriteTyped(SQL_SHORT, value);
}

void TFIBXSQLVAR::WriteAsInteger(std::int32_t value) {
    WriteTyped(SQL_LONG, value);
}

void TFIBXSQLVAR::WriteAsInt64(std::int64_t value) {
    WriteTyped(SQL_INT64, value);
}

void TFIBXSQLVAR::WriteAsDouble(double value) {
    WriteTyped(SQL_DOUBLE, value);
}

void TFIBXSQLVAR::WriteAsBoolean(bool value) {
    if (ServerSQLType() == SQL_BOOLEAN)
        WriteTyped(SQL_BOOLEAN, static_cast<std::uint8_t>(value ? 1 : 0));
    else
        WriteTyped(SQL_SHORT, static_cast<std::int16_t>(value ? 1 : 0));
}

void TFIBXSQLVAR::WriteAsGuid(const std::string& raw16) {
    StoreValue(StoreKind::Value, {false, SQL_TEXT, std::string_view(raw16).substr(0, 16), nullptr});
}

void TFIBXSQLVAR::WriteAsQuad(const ISC_QUAD& value) {
    WriteTyped(static_cast<short>(IsArray() ? SQL_ARRAY : SQL_BLOB), value);
}

void TFIBXSQLVAR::WriteAsCurrency(std::int64_t value) {
    if (Dialect() >= 3) {
        WriteAsInt64(value);
        WriteScale(-4);
    } else {
        WriteAsDouble(static_cast<double>(value) / 10000.0);
    }
}

void TFIBXSQLVAR::WriteAsExtended(Extended value) {
    if (Dialect() < 3 || !std::isfinite(value) || std::fabs(value) >= 9.2e18L) {
        WriteAsDouble(static_cast<double>(value));
        return;
    }
    const int digits = DigitCount(static_cast<std::int64_t>(value));
    const Extended significant = std::round(value * PowerOfTen(kExtendedDigits - digits));
    WriteAsInt64(static_cast<std::int64_t>(significant) * PowersOfTen[18 - kExtendedDigits]);
    WriteScale(static_cast<short>(digits - 18));
}

void TFIBXSQLVAR::WriteAsBcd(const TBcd& value) {
    if (Dialect() >= 3) {
        std::int64_t integer = 0;
        int places = 0;
        try {
            if (!BcdToScaledInt64(value, integer, places))
                RaiseClientError(fceInvalidDataConversion);
        } catch (const EBcdOverflowError&) {
            RaiseClientError(fceInvalidDataConversion);
        }
        WriteAsInt64(integer);
        WriteScale(static_cast<short>(-places));
        return;
    }
    Extended x = 0;
    if (!BcdToExtended(value, x))
        RaiseClientError(fceInvalidDataConversion);
    WriteAsDouble(static_cast<double>(x));
}

void TFIBXSQLVAR::WriteAsDateTime(TDateTime value) {
    WriteAsTimeStamp(DateTimeToTimeStamp(value));
}

void TFIBXSQLVAR::WriteAsDate(TDateTime value) {
    if (Dialect() < 3) {
        WriteAsDateTime(value);
        return;
    }
    WriteTyped(SQL_TYPE_DATE, static_cast<ISC_DATE>(ServerDay(DateTimeToTimeStamp(std::trunc(value)))));
}

void TFIBXSQLVAR::WriteAsTime(TDateTime value) {
    if (Dialect() < 3) {
        WriteAsDateTime(value);
        return;
    }
    const TTimeStamp stamp = DateTimeToTimeStamp(value);
    WriteTyped(SQL_TYPE_TIME, static_cast<ISC_TIME>(ServerTime(stamp)));
}

void TFIBXSQLVAR::WriteAsTimeStamp(const TTimeStamp& value) {
    if (Dialect() >= 3 && value.Time == 0 && value.Date != 0) {
        WriteTyped(SQL_TYPE_DATE, static_cast<ISC_DATE>(ServerDay(value)));
    } else if (Dialect() >= 3 && value.Date == 0) {
        WriteTyped(SQL_TYPE_TIME, static_cast<ISC_TIME>(ServerTime(value)));
    } else {
        ISC_TIMESTAMP stamp{ServerDay(value), static_cast<ISC_TIME>(ServerTime(value))};
        WriteTyped(SQL_TIMESTAMP, stamp);
    }
}

void TFIBXSQLVAR::WriteAsString(std::string_view value) {
    const short target = value.size() > kLongestInlineText ? static_cast<short>(SQL_BLOB) : ServerSQLType();
    if (target == SQL_BLOB) {
        if (const auto blob = CreateBlobFromString(OwnerQuery, value))
            WriteAsQuad(blob->BlobID());
        return;
    }
    if (IsDbKey()) {
        const auto keyLength = static_cast<std::size_t>(std::max<int>(XSQLVar->sqllen, 0));
        if (value.size() < keyLength)
            RaiseClientError(fceInvalidDataConversion);
        StoreValue(StoreKind::Value, {false, ReadSQLType(), value.substr(0, keyLength), nullptr});
        return;
    }
    if (IsNumericSQLType(target)) {
        const std::string text = WithDotSeparator(value);
        StoreValue(StoreKind::Value, {false, SQL_TEXT, text, nullptr});
        return;
    }
    StoreValue(StoreKind::Value, {false, SQL_TEXT, value, nullptr});
}

void TFIBXSQLVAR::WriteAsVariant(const Variant& value) {
    const short serverType = ServerSQLType();
    const TVarType type = value.VarType();
    if (type == varDouble && (serverType == SQL_TIMESTAMP || serverType == SQL_TYPE_DATE)) {
        WriteAsVariant(Variant::FromDateTime(value.AsDouble()));
        return;
    }
    if (type & varArray) {
        if (IsArray()) {
            WriteAsArray(value);
        } else if (ReadSQLType() == SQL_BLOB) {
            TMemoryStream stream;
            const std::string bytes = VarArrayRawBytes(value);
            stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
            LoadFromStream(stream);
        }
        return;
    }
    switch (type) {
        case varEmpty:
        case varNull:
            WriteIsNull(true);
            break;
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
            WriteAsInteger(value.AsInteger());
            break;
        case varLongWord:
        case varInt64:
            WriteAsInt64(value.AsInt64());
            break;
        case varSingle:
        case varDouble:
            WriteAsDouble(value.AsDouble());
            break;
        case varCurrency:
            WriteAsCurrency(value.AsCurrency());
            break;
        case varDate:
            if (serverType == SQL_TYPE_TIME)
                WriteAsTime(value.AsDateTime());
            else if (serverType == SQL_TYPE_DATE)
                WriteAsDate(value.AsDateTime());
            else
                WriteAsDateTime(value.AsDateTime());
            break;
        case varString:
            WriteAsString(value.AsString());
            break;
        case varBoolean:
            if (serverType == SQL_BOOLEAN)
                WriteAsBoolean(value.AsBoolean());
            else
                WriteAsInteger(value.AsBoolean() ? 1 : 0);
            break;
        case varError:
        case varVariant:
            RaiseClientError(fceNotPermitted);
        default:
            break;
    }
}

std::unique_ptr<TFIBBlobStream> CreateBlobFromString(IFIBStatementContext* statement, std::string_view text) {
    if (!statement)
        return nullptr;
    try {
        statement->StartTransactionOnDemand();
        auto stream = std::make_unique<TFIBBlobStream>();
        stream->SetLibrary(statement->Library());
        stream->SetDatabase(statement->DBHandle());
        stream->SetTransaction(statement->TRHandle());
        stream->SetMode(bmWrite);
        stream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        stream->WriteToServer(false, true);
        return stream;
    } catch (const Exception&) {
        return nullptr;
    }
}

void TFIBXSQLVAR::LoadFromStream(TStream& stream) {
    if (!OwnerQuery)
        RaiseClientError(fceDatabaseNotAssigned, {"BlobStream"});
    OwnerQuery->StartTransactionOnDemand();
    TFIBBlobStream blob;
    blob.SetLibrary(OwnerQuery->Library());
    blob.SetDatabase(OwnerQuery->DBHandle());
    blob.SetTransaction(OwnerQuery->TRHandle());
    blob.SetBlobFilters(OwnerQuery->BlobFilters());
    blob.SetBlobSubType(XSQLVar->sqlsubtype);
    blob.SetMode(bmWrite);
    blob.LoadFromStream(stream);
    blob.WriteToServer(false, true);
    WriteAsQuad(blob.BlobID());
}

void TFIBXSQLVAR::CheckArrayField() const {
    if (!IsArray() || !ArrayInfo) {
        const std::string relation(XSQLVar->relname,
                                   static_cast<std::size_t>(std::clamp<int>(XSQLVar->relname_length, 0, 32)));
        const std::string field(XSQLVar->sqlname,
                                static_cast<std::size_t>(std::clamp<int>(XSQLVar->sqlname_length, 0, 32)));
        RaiseClientError(fceFieldIsNotArray, {relation + "." + field});
    }
}

void TFIBXSQLVAR::WriteAsArray(const Variant& value) {
    CheckArrayField();
    ISC_QUAD id = ReadIsNull() ? ISC_QUAD{} : ReadAsQuad();
    ArrayInfo->SetArrayFromVariant(value, id, OwnerQuery->DBHandle(), OwnerQuery->TRHandle());
    WriteAsQuad(id);
}

std::int32_t TFIBXSQLVAR::ArraySize() {
    CheckArrayField();
    return ArrayInfo->ArraySize();
}
