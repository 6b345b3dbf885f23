#include "firebird/fib_array.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "firebird/fib_errors.h"
#include "firebird/number_utils.h"
#include "firebird/sql_types.h"
#include "firebird/status_vector.h"
#include "firebird/variant_arrays.h"
#include "firebird/xsqlvar.h"
#include "platform/rtl/timestamp.h"

namespace {

template <typename T>
T Load(const char* place) {
    T value{};
    std::memcpy(&value, place, sizeof(T));
    return value;
}

template <typename T>
void Store(char* place, T value) {
    std::memcpy(place, &value, sizeof(T));
}

// The server's zero day, which a NULL date element becomes.
constexpr TDateTime kServerDayZero = -ServerDayOfDateTimeZero;

ISC_TIMESTAMP ServerStamp(TDateTime value) {
    const TTimeStamp stamp = DateTimeToTimeStamp(value);
    return ISC_TIMESTAMP{stamp.Date - TimeStampToServerDays, static_cast<ISC_TIME>(stamp.Time) * 10};
}

TDateTime FromServerStamp(ISC_DATE day, ISC_TIME time) {
    const double date = static_cast<double>(day) - ServerDayOfDateTimeZero;
    // Whole milliseconds, as the platform's times hold them.
    const double fraction = static_cast<double>(time / 10) / MSecsPerDay;
    return date < 0 ? date - fraction : date + fraction;
}

}  // namespace

TArrayElementKind ArrayElementKindOf(int descType) {
    switch (descType) {
        case blr_short:
            return aekSmallint;
        case blr_long:
            return aekInteger;
        case blr_float:
        case blr_d_float:
        case blr_double:
            return aekFloat;
        case blr_sql_date:
            return aekDate;
        case blr_sql_time:
            return aekTime;
        case blr_text:
        case blr_varying:
        case blr_cstring:
            return aekText;
        case blr_int64:
            return aekInt64;
        case blr_timestamp:
            return aekTimeStamp;
        default:
            return aekNone;
    }
}

TpFIBArray::TpFIBArray(IIBClientLibrary* library, const ISC_ARRAY_DESC& descriptor, std::string relationName,
                       std::string columnName, TArrayElementKind arrayType)
    : library_(library),
      descriptor_(descriptor),
      relationName_(std::move(relationName)),
      columnName_(std::move(columnName)),
      arrayType_(arrayType) {}

ISC_ARRAY_BOUND TpFIBArray::GetDimension(int i) const {
    if (i < 0 || i >= GetDimensions() || i >= 16)
        RaiseClientError(fceArrayDimensionMissing, {i, QualifiedName()});
    return descriptor_.array_desc_bounds[i];
}

bool TpFIBArray::IsVarying() const {
    return descriptor_.array_desc_dtype == blr_varying;
}

int TpFIBArray::Stride() const {
    return descriptor_.array_desc_length + (IsVarying() ? 2 : 0);
}

std::int32_t TpFIBArray::SliceSize(const ISC_ARRAY_DESC& descriptor) {
    const bool varying = descriptor.array_desc_dtype == blr_varying;
    std::int64_t count = 1;
    for (int d = 0; d < std::clamp<int>(descriptor.array_desc_dimensions, 0, 16); ++d) {
        const ISC_ARRAY_BOUND& b = descriptor.array_desc_bounds[d];
        count *= std::max(0, b.array_bound_upper - b.array_bound_lower + 1);
    }
    return static_cast<std::int32_t>((descriptor.array_desc_length + (varying ? 2 : 0)) * count +
                                     (varying ? 2 : 0));
}

Variant TpFIBArray::GetFieldArrayValues(TFIBXSQLVAR& field, isc_db_handle* db, isc_tr_handle* tr) {
    return GetArrayValues(field.ReadIsNull() ? ISC_QUAD{} : field.ReadAsQuad(), db, tr);
}

Variant TpFIBArray::GetArrayValues(ISC_QUAD arrayId, isc_db_handle* db, isc_tr_handle* tr) {
    std::vector<TVarArrayBound> bounds;
    for (int d = 0; d < GetDimensions(); ++d) {
        const ISC_ARRAY_BOUND b = GetDimension(d);
        bounds.push_back({b.array_bound_lower, b.array_bound_upper});
    }
    Variant result = CreateVarArrayEx(bounds, varVariant);
    std::vector<char> buffer(static_cast<std::size_t>(ArraySize()) + 1, '\0');
    ISC_LONG length = ArraySize();
    if (arrayId.gds_quad_high != 0 || arrayId.gds_quad_low != 0) {
        if (library_->isc_array_get_slice(StatusVector(), db, tr, &arrayId, &descriptor_, buffer.data(),
                                          &length) != 0)
            RaiseServerError(*library_, nullptr);
    } else {
        length = 0;
    }
    const bool empty = length == 0;
    std::size_t n = 0;
    MapArrayElements(result, [&](const Variant&, Variant& element, const TArrayIndex&, bool&) {
        const std::size_t at = n++ * static_cast<std::size_t>(Stride());
        element = empty || at + static_cast<std::size_t>(Stride()) > buffer.size() ? Variant()
                                                                                   : ReadElement(&buffer[at]);
    });
    return result;
}

Variant TpFIBArray::ReadElement(const char* place) const {
    const int scale = descriptor_.array_desc_scale;
    const auto scaled = [scale](std::int64_t v) {
        return scale == 0 ? Variant(static_cast<long long>(v))
                          : Variant(static_cast<double>(static_cast<Extended>(v) * std::pow(10.0L, scale)));
    };
    switch (arrayType_) {
        case aekText: {
            const auto stride = static_cast<std::size_t>(Stride());
            return Variant(std::string(place, strnlen(place, stride)));
        }
        case aekSmallint:
            return scale == 0 ? Variant(static_cast<int>(Load<std::int16_t>(place)))
                              : scaled(Load<std::int16_t>(place));
        case aekInteger:
            return scale == 0 ? Variant(static_cast<int>(Load<std::int32_t>(place)))
                              : scaled(Load<std::int32_t>(place));
        case aekInt64:
            return scaled(Load<std::int64_t>(place));
        case aekFloat:
            return descriptor_.array_desc_length == 4 ? Variant(static_cast<double>(Load<float>(place)))
                                                      : Variant(Load<double>(place));
        case aekDate:
            return Variant::FromDateTime(FromServerStamp(Load<ISC_DATE>(place), 0));
        case aekTime:
            return Variant::FromDateTime(FromServerStamp(ServerDayOfDateTimeZero, Load<ISC_TIME>(place)));
        case aekTimeStamp: {
            const auto stamp = Load<ISC_TIMESTAMP>(place);
            return Variant::FromDateTime(FromServerStamp(stamp.timestamp_date, stamp.timestamp_time));
        }
        default:
            return Variant();
    }
}

void TpFIBArray::SetFieldArrayValues(const Variant& value, TFIBXSQLVAR& field, isc_db_handle* db,
                                     isc_tr_handle* tr) {
    ISC_QUAD id = field.ReadIsNull() ? ISC_QUAD{} : field.ReadAsQuad();
    SetArrayFromVariant(value, id, db, tr);
    field.WriteAsQuad(id);
}

void TpFIBArray::SetArrayFromVariant(const Variant& value, ISC_QUAD& arrayId, isc_db_handle* db,
                                     isc_tr_handle* tr) {
    std::vector<char> buffer = FillBufferFromVariant(value);
    if (!buffer.empty())
        PutSlice(buffer, arrayId, db, tr);
}

void TpFIBArray::PutSlice(std::vector<char>& buffer, ISC_QUAD& arrayId, isc_db_handle* db,
                          isc_tr_handle* tr) {
    ISC_LONG length = ArraySize();
    ISC_QUAD id = ISC_QUAD{};
    if (library_->isc_array_put_slice(StatusVector(), db, tr, &id, &descriptor_, buffer.data(), &length) != 0)
        RaiseServerError(*library_, nullptr);
    arrayId = id;
}

// Elements go into the buffer one after another, so a value with more elements than the column
// holds in any dimension would run past its end.
void TpFIBArray::CheckFits(const Variant& value) const {
    if (value.DimCount() > GetDimensions())
        RaiseClientError(fceArrayDimensionMissing, {GetDimensions(), QualifiedName()});
    for (int d = 0; d < value.DimCount(); ++d) {
        const ISC_ARRAY_BOUND b = GetDimension(d);
        if (value.HighBound(d + 1) - value.LowBound(d + 1) > b.array_bound_upper - b.array_bound_lower)
            RaiseClientError(fceArrayDimensionMissing, {d, QualifiedName()});
    }
}

std::vector<char> TpFIBArray::FillBufferFromVariant(const Variant& value) {
    if (!value.IsArray())
        return {};
    CheckFits(value);
    std::vector<char> buffer(static_cast<std::size_t>(ArraySize()) + 1, '\0');
    std::size_t n = 0;
    ForEachArrayElement(value, [&](const Variant& element, const TArrayIndex&, bool&) {
        const std::size_t at = n++ * static_cast<std::size_t>(Stride());
        if (at + static_cast<std::size_t>(Stride()) <= buffer.size())
            WriteElement(element, &buffer[at]);
    });
    return buffer;
}

void TpFIBArray::WriteElement(const Variant& value, char* place) const {
    if (value.IsEmpty())
        return;
    const bool null = value.IsNull();
    const int scale = descriptor_.array_desc_scale;
    const auto integer = [&]() -> std::int64_t {
        if (null)
            return 0;
        if (scale == 0)
            return value.AsInt64();
        return std::llround(static_cast<Extended>(value.AsDouble()) * std::pow(10.0L, -scale));
    };
    switch (arrayType_) {
        case aekText: {
            // Zero-terminated within the stride, the terminator included when it fits.
            const std::string text = null ? std::string() : value.AsString();
            const std::size_t room = static_cast<std::size_t>(Stride());
            // CHAR elements are blank-padded as the server keeps them; others end at a zero byte.
            if (descriptor_.array_desc_dtype == blr_text)
                std::memset(place, ' ', room);
            std::memcpy(place, text.data(), std::min(text.size(), room));
            break;
        }
        case aekSmallint:
            Store(place, static_cast<std::int16_t>(integer()));
            break;
        case aekInteger:
            Store(place, static_cast<std::int32_t>(integer()));
            break;
        case aekInt64:
            Store(place, integer());
            break;
        case aekFloat:
            if (descriptor_.array_desc_length == 4)
                Store(place, null ? 0.0f : static_cast<float>(value.AsDouble()));
            else
                Store(place, null ? 0.0 : value.AsDouble());
            break;
        case aekDate:
            Store(place, ServerStamp(std::trunc(null ? kServerDayZero : value.AsDateTime())).timestamp_date);
            break;
        case aekTime:
            Store(place, ServerStamp(null ? 0.0 : value.AsDateTime()).timestamp_time);
            break;
        case aekTimeStamp:
            Store(place, ServerStamp(null ? kServerDayZero : value.AsDateTime()));
            break;
        default:
            break;
    }
}
