// Reading a variable as each application type. Scaled integers are read in integer arithmetic.
#include <cmath>
#include <cstring>
#include <limits>

#include "firebird/bcd_utils.h"
#include "firebird/blob_stream.h"
#include "firebird/date_text.h"
#include "firebird/fib_errors.h"
#include "firebird/scaled_int.h"
#include "firebird/sql_types.h"
#include "firebird/statement_context.h"
#include "firebird/str_basics.h"
#include "firebird/xsqlda.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

[[noreturn]] void ConversionError() {
    RaiseClientError(fceInvalidDataConversion);
}

std::int64_t MultiplyExact(std::int64_t value, int power) {
    std::int64_t result = value;
    for (int i = 0; i < power; ++i)
        if (__builtin_mul_overflow(result, std::int64_t{10}, &result))
            ConversionError();
    return result;
}

// value x 10^scale rounded half away from zero; overflow: error 33.
std::int64_t RoundedRescale(std::int64_t value, int scale) {
    if (scale >= 0)
        return MultiplyExact(value, scale);
    if (scale < -18)
        return 0;
    const std::int64_t divisor = PowersOfTen[static_cast<std::size_t>(-scale)];
    const std::int64_t quotient = value / divisor;
    const std::int64_t remainder = value % divisor;
    if (remainder >= 0 ? remainder >= divisor - remainder : -remainder >= divisor + remainder)
        return quotient + (value < 0 ? -1 : 1);
    return quotient;
}

std::int64_t TruncatedFloat(Extended x) {
    if (!std::isfinite(x) || x >= 9223372036854775808.0L || x < -9223372036854775808.0L)
        ConversionError();
    return static_cast<std::int64_t>(x);
}

std::int64_t RoundedFloat(Extended x) {
    return TruncatedFloat(std::round(x));
}

TDateTime ServerStampToDateTime(std::int32_t day, std::int64_t units) {
    const double date = static_cast<double>(day) - ServerDayOfDateTimeZero;
    const double time = static_cast<double>(units) / static_cast<double>(ServerTimeUnitsPerDay);
    // Before 30 December 1899 the fraction still counts forward from midnight.
    return date < 0 ? date - time : date + time;
}

}  // namespace

template <typename T>
T TFIBXSQLVAR::DataAs() const {
    if (!XSQLVar->sqldata || (dataSize_ != 0 && dataSize_ < sizeof(T)))
        ConversionError();
    T value{};
    std::memcpy(&value, XSQLVar->sqldata, sizeof(T));
    return value;
}

std::int64_t TFIBXSQLVAR::ScaledInteger() const {
    switch (ReadSQLType()) {
        case SQL_SHORT:
            return DataAs<std::int16_t>();
        case SQL_LONG:
            return DataAs<std::int32_t>();
        default:
            return DataAs<std::int64_t>();
    }
}

std::int64_t TFIBXSQLVAR::RescaledInteger() {
    const std::int64_t value = ScaledInteger();
    const int scale = XSQLVar->sqlscale;
    if (scale >= 0)
        return MultiplyExact(value, scale);
    return scale < -18 ? 0 : value / PowersOfTen[static_cast<std::size_t>(-scale)];
}

bool TFIBXSQLVAR::IsDbKey() const {
    const std::string_view name(XSQLVar->sqlname,
                                static_cast<std::size_t>(std::clamp<int>(XSQLVar->sqlname_length, 0, 32)));
    return name == "DB_KEY" || name == "RDB$DB_KEY";
}

std::string TFIBXSQLVAR::BlobText() {
    if (IsParameter() || !OwnerQuery)
        return "(BLOB)";
    try {
        TFIBBlobStream stream;
        stream.SetLibrary(OwnerQuery->Library());
        stream.SetDatabase(OwnerQuery->DBHandle());
        stream.SetTransaction(OwnerQuery->TRHandle());
        stream.SetBlobFilters(OwnerQuery->BlobFilters());
        stream.SetBlobSubType(XSQLVar->sqlsubtype);
        stream.SetBlobID(ReadAsQuad());
        return stream.GetAsString();
    } catch (const Exception&) {
        return "(BLOB)";
    }
}

std::string TFIBXSQLVAR::ReadAsString() {
    std::string text;
    AppendAsString(text);
    return text;
}

void TFIBXSQLVAR::AppendAsString(std::string& out) {
    if (ReadIsNull())
        return;
    const int scale = XSQLVar->sqlscale;
    switch (ReadSQLType()) {
        case SQL_VARYING:
        case SQL_TEXT: {
            std::string_view text = RawView();
            if (OwnerQuery && OwnerQuery->TrimCharFields())
                while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
            out.append(text);
            return;
        }
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_D_FLOAT:
            out += FloatToStr(static_cast<double>(ReadAsExtended()));
            return;
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            if (scale > 0)
                AppendInt64(out, RescaledInteger());
            else
                AppendScaledInt64(out, -scale, NumberFormat().DecimalSeparator, ScaledInteger());
            return;
        case SQL_TIMESTAMP:
            AppendDateTimeToStr(out, ReadAsDateTime());
            return;
        case SQL_TYPE_TIME:
            AppendTimeToStr(out, ReadAsDateTime());
            return;
        case SQL_TYPE_DATE:
            AppendDateToStr(out, ReadAsDateTime());
            return;
        case SQL_BLOB:
            out += BlobText();
            return;
        case SQL_ARRAY:
            out += "(ARRAY)";
            return;
        case SQL_BOOLEAN:
        case SQL_BOOLEAN16:
            out += ReadAsBoolean() ? "True" : "False";
            return;
        default:
            ConversionError();
    }
}

std::int64_t TFIBXSQLVAR::ReadAsInt64() {
    if (ReadIsNull())
        return 0;
    switch (ReadSQLType()) {
        case SQL_VARYING:
        case SQL_TEXT: {
            std::int64_t value = 0;
            if (!TryStrToInt64(Trim(RawBytes()), value))
                ConversionError();
            return value;
        }
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_D_FLOAT:
            return TruncatedFloat(ReadAsExtended());
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            return RescaledInteger();
        case SQL_BOOLEAN:
        case SQL_BOOLEAN16:
            return ReadAsBoolean() ? 1 : 0;
        default:
            ConversionError();
    }
}

std::int32_t TFIBXSQLVAR::ReadAsInteger() {
    const std::int64_t value = ReadAsInt64();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        ConversionError();
    return static_cast<std::int32_t>(value);
}

Extended TFIBXSQLVAR::ReadAsExtended() {
    if (ReadIsNull())
        return 0;
    switch (ReadSQLType()) {
        case SQL_VARYING:
        case SQL_TEXT: {
            double value = 0;
            if (!TryStrToFloat(Trim(RawBytes()), value))
                ConversionError();
            return value;
        }
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return DataAs<double>();
        case SQL_FLOAT:
            return DataAs<float>();
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64: {
            const int scale = XSQLVar->sqlscale;
            const auto value = static_cast<Extended>(ScaledInteger());
            if (scale < -18 || scale > 18)
                return value * std::pow(10.0L, scale);
            return scale < 0 ? value / static_cast<Extended>(PowersOfTen[static_cast<std::size_t>(-scale)])
                             : value * static_cast<Extended>(PowersOfTen[static_cast<std::size_t>(scale)]);
        }
        case SQL_BOOLEAN:
        case SQL_BOOLEAN16:
            return ReadAsBoolean() ? 1.0L : 0.0L;
        default:
            ConversionError();
    }
}

double TFIBXSQLVAR::ReadAsDouble() {
    return static_cast<double>(ReadAsExtended());
}

float TFIBXSQLVAR::ReadAsFloat() {
    return static_cast<float>(ReadAsExtended());
}

std::int64_t TFIBXSQLVAR::ReadAsCurrency() {
    if (ReadIsNull())
        return 0;
    if (IsIntegerSQLType(ReadSQLType()))
        return RoundedRescale(ScaledInteger(), XSQLVar->sqlscale + 4);
    return RoundedFloat(ReadAsExtended() * 10000);
}

std::int64_t TFIBXSQLVAR::ReadAsComp() {
    if (ReadIsNull())
        return 0;
    if (IsIntegerSQLType(ReadSQLType()))
        return RoundedRescale(ScaledInteger(), XSQLVar->sqlscale);
    return RoundedFloat(ReadAsExtended());
}

TBcd TFIBXSQLVAR::ReadAsBcd() {
    TBcd bcd{};
    bool done = false;
    if (Dialect() >= 3 && ReadSQLType() == SQL_INT64 && !ReadIsNull()) {
        const int scale = XSQLVar->sqlscale;
        done = scale <= 0 ? ScaledInt64ToBcd(-scale, bcd, ScaledInteger())
                          : ScaledInt64ToBcd(0, bcd, RescaledInteger());
    } else {
        done = ScaledInt64ToBcd(4, bcd, ReadAsCurrency());
    }
    if (!done)
        ConversionError();
    return bcd;
}

TDateTime TFIBXSQLVAR::ReadAsDateTime() {
    if (ReadIsNull())
        return 0;
    switch (ReadSQLType()) {
        case SQL_VARYING:
        case SQL_TEXT: {
            const std::string text = Trim(RawBytes());
            TDateTime value = 0;
            if (TryStrToDate(text, value))
                return value;
            if (TryStrToDateTime(text, value))
                return std::trunc(value);
            ConversionError();
        }
        case SQL_TIMESTAMP: {
            const auto stamp = DataAs<ISC_TIMESTAMP>();
            return ServerStampToDateTime(stamp.timestamp_date, stamp.timestamp_time);
        }
        case SQL_TYPE_TIME:
            return static_cast<double>(DataAs<ISC_TIME>()) / static_cast<double>(ServerTimeUnitsPerDay);
        case SQL_TYPE_DATE:
            return static_cast<double>(DataAs<ISC_DATE>()) - ServerDayOfDateTimeZero;
        default:
            ConversionError();
    }
}

bool TFIBXSQLVAR::ReadAsBoolean() {
    if (ReadIsNull())
        return false;
    switch (ReadSQLType()) {
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
            return ScaledInteger() == 1;
        case SQL_BOOLEAN16:
            return DataAs<std::int16_t>() == 1;
        case SQL_BOOLEAN:
            return DataAs<std::uint8_t>() != 0;
        default:
            ConversionError();
    }
}

ISC_QUAD TFIBXSQLVAR::ReadAsQuad() {
    if (ReadIsNull())
        return ISC_QUAD{};
    switch (ReadSQLType()) {
        case SQL_BLOB:
        case SQL_ARRAY:
        case SQL_QUAD:
            return DataAs<ISC_QUAD>();
        default:
            ConversionError();
    }
}

Variant TFIBXSQLVAR::ReadAsVariant() {
    if (ReadIsNull())
        return Variant::Null();
    const bool scaled = XSQLVar->sqlscale != 0;
    switch (ReadSQLType()) {
        case SQL_VARYING:
        case SQL_TEXT:
        case SQL_BLOB:
            return Variant(ReadAsString());
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_D_FLOAT:
            return Variant(ReadAsDouble());
        case SQL_SHORT:
        case SQL_LONG:
            return scaled ? Variant(ReadAsDouble()) : Variant(ReadAsInteger());
        case SQL_INT64:
            return scaled ? Variant(ReadAsDouble()) : Variant(static_cast<long long>(ReadAsInt64()));
        case SQL_TIMESTAMP:
        case SQL_TYPE_TIME:
        case SQL_TYPE_DATE:
            return Variant::FromDateTime(ReadAsDateTime());
        case SQL_ARRAY:
            return Variant("(Array)");
        case SQL_BOOLEAN:
        case SQL_BOOLEAN16:
            return Variant(ReadAsBoolean());
        default:
            ConversionError();
    }
}
