#include "platform/db/field_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/db/bcd_fields.h"
#include "platform/db/field.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/timestamp.h"

namespace {

constexpr double MillisecondsPerDay = 86400000.0;

template <class T>
void Put(std::byte* data, T value) {
    std::memcpy(data, &value, sizeof(T));
}

template <class T>
T Get(const std::byte* data) {
    T value;
    std::memcpy(&value, data, sizeof(T));
    return value;
}

void PutBytes(std::byte* data, const std::string& bytes, std::size_t room) {
    std::memset(data, 0, room);
    std::memcpy(data, bytes.data(), std::min(bytes.size(), room));
}

void PutBcd(std::byte* data, const std::string& text) {
    TBcd bcd;
    DecimalDigits value;
    if (TryParseDecimal(text, '.', value)) {
        const auto point = text.find('.');
        const int places = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
        const int digits = static_cast<int>(value.IntegerDigits().size()) + places;
        TryDecimalToBcd(value, std::clamp(digits, 1, MaxBcdDigits), places, bcd);
    }
    Put(data, bcd);
}

Variant GetBcd(const std::byte* data) {
    const auto bcd = Get<TBcd>(data);
    DecimalDigits value;
    if (!TryBcdToDecimal(bcd, value))
        return Variant::Null();
    return Variant(DecimalText(value, BcdPlaces(bcd), '.'));
}

TDateTime DateTimeFromMSecs(double msecs) {
    const double days = std::floor(msecs / MillisecondsPerDay);
    TTimeStamp stamp{static_cast<std::int32_t>(msecs - days * MillisecondsPerDay),
                     static_cast<std::int32_t>(days)};
    return TimeStampToDateTime(stamp);
}

}  // namespace

void WriteFieldBytes(const TField& field, const Variant& value, std::byte* data) {
    const auto size = static_cast<std::size_t>(std::max(field.DataSize(), 0));
    switch (field.DataType()) {
        case ftSmallint:
            return Put(data, static_cast<std::int16_t>(value.AsInteger()));
        case ftWord:
            return Put(data, static_cast<std::uint16_t>(value.AsInteger()));
        case ftInteger:
        case ftAutoInc:
            return Put(data, value.AsInteger());
        case ftLargeint:
            return Put(data, value.AsInt64());
        case ftBoolean:
            return Put(data, static_cast<std::int16_t>(value.AsBoolean() ? 1 : 0));
        case ftFloat:
        case ftCurrency:
            return Put(data, value.AsDouble());
        case ftBCD:
            return Put(data, value.AsCurrency());
        case ftFMTBcd:
            return PutBcd(data, value.AsString());
        case ftDate:
            return Put(data, DateTimeToTimeStamp(value.AsDateTime()).Date);
        case ftTime:
            return Put(data, DateTimeToTimeStamp(value.AsDateTime()).Time);
        case ftDateTime: {
            const TTimeStamp stamp = DateTimeToTimeStamp(value.AsDateTime());
            return Put(data, stamp.Date * MillisecondsPerDay + stamp.Time);
        }
        case ftVarBytes: {
            const std::string bytes = value.AsString().substr(0, size > 2 ? size - 2 : 0);
            Put(data, static_cast<std::uint16_t>(bytes.size()));
            return PutBytes(data + 2, bytes, size > 2 ? size - 2 : 0);
        }
        case ftBytes:
            return PutBytes(data, value.AsString(), size);
        case ftGuid:
            if (size == 16)
                return PutBytes(data, value.AsString(), size);
            [[fallthrough]];
        case ftString:
        case ftFixedChar:
        case ftWideString: {
            // Texts keep their terminating NUL: a longer text is cut to the field's size.
            std::memset(data, 0, size);
            const std::string text = value.AsString();
            std::memcpy(data, text.data(), std::min(text.size(), size > 0 ? size - 1 : 0));
            return;
        }
        default:
            return;
    }
}

Variant ReadFieldBytes(const TField& field, const std::byte* data) {
    const auto size = static_cast<std::size_t>(std::max(field.DataSize(), 0));
    switch (field.DataType()) {
        case ftSmallint:
            return Variant(int{Get<std::int16_t>(data)});
        case ftWord:
            return Variant(int{Get<std::uint16_t>(data)});
        case ftInteger:
        case ftAutoInc:
            return Variant(Get<std::int32_t>(data));
        case ftLargeint:
            return Variant(static_cast<long long>(Get<std::int64_t>(data)));
        case ftBoolean:
            return Variant(Get<std::int16_t>(data) != 0);
        case ftFloat:
        case ftCurrency:
            return Variant(Get<double>(data));
        case ftBCD:
            return Variant::FromCurrency(Get<std::int64_t>(data));
        case ftFMTBcd:
            return GetBcd(data);
        case ftDate:
            return Variant::FromDateTime(TimeStampToDateTime({0, Get<std::int32_t>(data)}));
        case ftTime:
            return Variant::FromDateTime(TimeStampToDateTime({Get<std::int32_t>(data), DateDelta}));
        case ftDateTime:
            return Variant::FromDateTime(DateTimeFromMSecs(Get<double>(data)));
        case ftVarBytes: {
            const std::size_t length =
                std::min<std::size_t>(Get<std::uint16_t>(data), size > 2 ? size - 2 : 0);
            return Variant(std::string(reinterpret_cast<const char*>(data + 2), length));
        }
        case ftBytes:
            return Variant(std::string(reinterpret_cast<const char*>(data), size));
        case ftString:
        case ftFixedChar:
        case ftWideString:
        case ftGuid: {
            const auto* text = reinterpret_cast<const char*>(data);
            const std::size_t raw = field.DataType() == ftGuid && size == 16 ? size : 0;
            return Variant(raw != 0 ? std::string(text, raw) : std::string(text, strnlen(text, size)));
        }
        default:
            return Variant::Null();
    }
}
