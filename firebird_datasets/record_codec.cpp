#include "firebird_datasets/record_codec.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "firebird/sql_types.h"
#include "firebird_datasets/fib_custom_dataset_bytes.h"
#include "platform/rtl/timestamp.h"

namespace {

using fibds::LoadValue;
using fibds::StoreValue;

// The record's dates are TTimeStamp dates: the server's day numbers shifted by one count, TDateTime's
// by the other.
static_assert(DateDelta - TimeStampToServerDays == ServerDayOfDateTimeZero);
constexpr double kMsPerDay = 86400000.0;
constexpr std::int32_t kServerTimeUnitsPerMs = 10;

std::int64_t Pow10(int exponent) {
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i) result *= 10;
    return result;
}

double Scaled(double unscaled, int scale) {
    return unscaled * std::pow(10.0, scale);
}

std::int64_t Unscaled(const Variant& value, int scale) {
    return std::llround(value.AsDouble() * std::pow(10.0, -scale));
}

// Milliseconds since day 0 as a TDateTime; before 1899 the time of day counts backwards.
TDateTime MsToDateTime(double ms) {
    const double day = std::floor(ms / kMsPerDay);
    const double time = (ms - day * kMsPerDay) / kMsPerDay;
    const double date = day - DateDelta;
    return date < 0 ? date - time : date + time;
}

double DateTimeToMs(TDateTime value) {
    const double date = std::trunc(value);
    const double time = std::fabs(value - date);
    return std::round((date + DateDelta) * kMsPerDay + time * kMsPerDay);
}

double TimeOfDay(TDateTime value) {
    return std::fabs(value - std::trunc(value));
}

// Characters of a text as a field shows them: up to the first zero byte, and without trailing
// blanks when trimmed.
std::size_t TextLength(const char* chars, int size, bool trim) {
    std::size_t length = strnlen(chars, static_cast<std::size_t>(size));
    if (trim)
        while (length > 0 && chars[length - 1] == ' ') --length;
    return length;
}

void WriteBytes(char* place, int size, const std::string& bytes) {
    std::memset(place, 0, static_cast<std::size_t>(size));
    std::memcpy(place, bytes.data(), std::min(bytes.size(), static_cast<std::size_t>(size)));
}

void StoreVarying(const TFieldDescr& descr, const char* server, char* place) {
    const int length = std::min<int>(LoadValue<std::int16_t>(server), descr.Size);
    std::memcpy(place, server + 2, static_cast<std::size_t>(descr.Size));
    if (length < descr.Size)
        place[length] = '\0';
}

double FetchedTimeStampMs(const char* server) {
    const auto stamp = LoadValue<ISC_TIMESTAMP>(server);
    const double days = static_cast<double>(stamp.timestamp_date + TimeStampToServerDays);
    return days * kMsPerDay + static_cast<double>(stamp.timestamp_time / kServerTimeUnitsPerMs);
}

Variant ReadInteger(const TFieldDescr& descr, const char* place, TValueForm form) {
    const std::int32_t raw =
        descr.SqlType == SQL_LONG ? LoadValue<std::int32_t>(place) : LoadValue<std::int16_t>(place);
    if (descr.Scale != 0)
        return Variant(Scaled(raw, descr.Scale));
    if (form == TValueForm::Boolean)
        return Variant(raw != 0);
    return Variant(static_cast<int>(raw));
}

void WriteInteger(const TFieldDescr& descr, const Variant& value, char* place) {
    std::int64_t number = 0;
    if (descr.Scale != 0)
        number = Unscaled(value, descr.Scale);
    else if (value.VarType() == varBoolean)
        number = value.AsBoolean() ? 1 : 0;
    else
        number = value.AsInt64();
    if (descr.SqlType == SQL_LONG)
        StoreValue<std::int32_t>(place, static_cast<std::int32_t>(number));
    else
        StoreValue<std::int16_t>(place, static_cast<std::int16_t>(number));
}

}  // namespace

std::int16_t TRecordCodec::ValueSize(std::int16_t sqlType, std::int16_t sqlLength) {
    switch (sqlType) {
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
        case SQL_TIMESTAMP:
        case SQL_INT64:
            return 8;
        case SQL_FLOAT:
        case SQL_LONG:
        case SQL_TYPE_TIME:
        case SQL_TYPE_DATE:
            return 4;
        case SQL_SHORT:
        case SQL_BOOLEAN16:
        case SQL_BOOLEAN:
            return 2;
        default:
            return sqlLength;
    }
}

ISC_QUAD TRecordCodec::ReadQuad(const std::byte* place) {
    return LoadValue<ISC_QUAD>(place);
}

void TRecordCodec::WriteQuad(std::byte* place, ISC_QUAD id) {
    StoreValue<ISC_QUAD>(place, id);
}

bool TRecordCodec::ReadsAllBytes(const TFieldDescr& descr, TValueForm form) {
    return descr.IsGUID || descr.IsDBKey || form == TValueForm::AllBytes;
}

bool TRecordCodec::KeepsInt64AsDouble(const TFieldDescr& descr) const {
    return descr.SqlType == SQL_INT64 && descr.Scale < -4 && !int64AsBCD_;
}

void TRecordCodec::StoreFetched(const TFieldDescr& descr, const char* server, std::byte* to) const {
    auto* place = reinterpret_cast<char*>(to);
    switch (descr.SqlType) {
        case SQL_VARYING:
            StoreVarying(descr, server, place);
            return;
        case SQL_TYPE_DATE:
            StoreValue<std::int32_t>(place, LoadValue<ISC_DATE>(server) + TimeStampToServerDays);
            return;
        case SQL_TYPE_TIME:
            StoreValue<std::int32_t>(
                place, static_cast<std::int32_t>(LoadValue<ISC_TIME>(server) / kServerTimeUnitsPerMs));
            return;
        case SQL_TIMESTAMP:
            StoreValue<double>(place, FetchedTimeStampMs(server));
            return;
        case SQL_INT64:
            if (KeepsInt64AsDouble(descr))
                StoreValue<double>(place,
                                   Scaled(static_cast<double>(LoadValue<std::int64_t>(server)), descr.Scale));
            else
                std::memcpy(place, server, 8);
            return;
        case SQL_BOOLEAN16:
            StoreValue<std::int16_t>(place, LoadValue<std::int16_t>(server) != 0 ? 1 : 0);
            return;
        case SQL_BOOLEAN:
            StoreValue<std::int16_t>(place, server[0] != 0 ? 1 : 0);
            return;
        default:  // CHAR keeps the server's padding
            std::memcpy(place, server, static_cast<std::size_t>(descr.Size));
    }
}

Variant TRecordCodec::Read(const TFieldDescr& descr, const std::byte* from, TValueForm form,
                           bool trimText) const {
    const auto* place = reinterpret_cast<const char*>(from);
    switch (descr.SqlType) {
        case SQL_TEXT:
        case SQL_VARYING:
            if (ReadsAllBytes(descr, form))
                return Variant(std::string(place, static_cast<std::size_t>(descr.Size)));
            return Variant(std::string(place, TextLength(place, descr.Size, trimText)));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return Variant(LoadValue<double>(place));
        case SQL_FLOAT:
            return Variant(static_cast<double>(LoadValue<float>(place)));
        case SQL_LONG:
        case SQL_SHORT:
            return ReadInteger(descr, place, form);
        case SQL_INT64:
            return ReadInt64(descr, place, form);
        case SQL_TIMESTAMP:
            return Variant::FromDateTime(MsToDateTime(LoadValue<double>(place)));
        case SQL_TYPE_DATE:
            return Variant::FromDateTime(static_cast<double>(LoadValue<std::int32_t>(place)) - DateDelta);
        case SQL_TYPE_TIME:
            return Variant::FromDateTime(static_cast<double>(LoadValue<std::int32_t>(place)) / kMsPerDay);
        case SQL_BOOLEAN16:
        case SQL_BOOLEAN:
            return Variant(LoadValue<std::int16_t>(place) != 0);
        default:
            return Variant(std::string(place, static_cast<std::size_t>(descr.Size)));
    }
}

Variant TRecordCodec::ReadInt64(const TFieldDescr& descr, const char* place, TValueForm form) const {
    if (KeepsInt64AsDouble(descr))
        return Variant(LoadValue<double>(place));
    const auto unscaled = LoadValue<std::int64_t>(place);
    if (form == TValueForm::ScaledInteger)
        return Variant(static_cast<long long>(unscaled));
    if (form == TValueForm::Currency) {
        // Currency counts ten-thousandths: exact for scales down to -4.
        const int shift = 4 + descr.Scale;
        if (shift >= 0)
            return Variant::FromCurrency(unscaled * Pow10(shift));
        return Variant::FromCurrency(unscaled / Pow10(-shift));
    }
    if (descr.Scale == 0)
        return Variant(static_cast<long long>(unscaled));
    return Variant(Scaled(static_cast<double>(unscaled), descr.Scale));
}

void TRecordCodec::Write(const TFieldDescr& descr, const Variant& value, TValueForm form,
                         std::byte* to) const {
    auto* place = reinterpret_cast<char*>(to);
    switch (descr.SqlType) {
        case SQL_TEXT:
        case SQL_VARYING:
            WriteBytes(place, descr.Size, value.AsString());
            return;
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            StoreValue<double>(place, value.AsDouble());
            return;
        case SQL_FLOAT:
            StoreValue<float>(place, static_cast<float>(value.AsDouble()));
            return;
        case SQL_LONG:
        case SQL_SHORT:
            WriteInteger(descr, value, place);
            return;
        case SQL_INT64:
            WriteInt64(descr, value, form, place);
            return;
        case SQL_TIMESTAMP:
            StoreValue<double>(place, DateTimeToMs(value.AsDateTime()));
            return;
        case SQL_TYPE_DATE:
            StoreValue<std::int32_t>(place,
                                     static_cast<std::int32_t>(std::trunc(value.AsDateTime()) + DateDelta));
            return;
        case SQL_TYPE_TIME:
            StoreValue<std::int32_t>(
                place, static_cast<std::int32_t>(std::llround(TimeOfDay(value.AsDateTime()) * kMsPerDay)));
            return;
        case SQL_BOOLEAN16:
        case SQL_BOOLEAN:
            StoreValue<std::int16_t>(place, value.AsBoolean() ? 1 : 0);
            return;
        default:
            WriteBytes(place, descr.Size, value.AsString());
    }
}

void TRecordCodec::WriteInt64(const TFieldDescr& descr, const Variant& value, TValueForm form,
                              char* place) const {
    if (KeepsInt64AsDouble(descr)) {
        StoreValue<double>(place, value.AsDouble());
        return;
    }
    std::int64_t unscaled = 0;
    if (form == TValueForm::ScaledInteger || value.VarType() == varInt64) {
        unscaled = value.AsInt64();
    } else if (value.VarType() == varCurrency) {
        const int shift = 4 + descr.Scale;
        const std::int64_t units = value.AsCurrency();
        unscaled = shift >= 0 ? units / Pow10(shift) : units * Pow10(-shift);
    } else {
        unscaled = Unscaled(value, descr.Scale);
    }
    StoreValue<std::int64_t>(place, unscaled);
}
