#include "platform/rtl/variant.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/format.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

struct VarArrayData {
    TVarType elementType = varVariant;
    std::vector<TVarArrayBound> bounds;
    std::vector<Variant> elements;  // first index varies fastest
};

namespace {

bool IsFloatKind(TVarType t) {
    return t == varSingle || t == varDouble || t == varDate;
}

bool IntegerFits(TVarType kind, std::int64_t v) {
    switch (kind) {
        case varSmallint:
            return v >= INT16_MIN && v <= INT16_MAX;
        case varInteger:
            return v >= INT32_MIN && v <= INT32_MAX;
        case varShortInt:
            return v >= INT8_MIN && v <= INT8_MAX;
        case varByte:
            return v >= 0 && v <= UINT8_MAX;
        case varWord:
            return v >= 0 && v <= UINT16_MAX;
        case varLongWord:
            return v >= 0 && v <= UINT32_MAX;
        default:
            return true;
    }
}

// Rounds to nearest, ties to even, as the platform's Round does; false when out of range.
bool RoundToInt64(double x, std::int64_t& out) {
    if (!std::isfinite(x))
        return false;
    const double r = std::nearbyint(x);
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        return false;
    out = static_cast<std::int64_t>(r);
    return true;
}

std::int64_t CurrencyToInteger(std::int64_t units) {
    std::int64_t q = units / CurrencyScale, r = units % CurrencyScale;
    const std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > CurrencyScale || (twice == CurrencyScale && q % 2 != 0))
        q += units < 0 ? -1 : 1;
    return q;
}

Variant ZeroOf(TVarType t) {
    if (t == varVariant)
        return Variant();
    if (t == varString)
        return Variant(std::string());
    return VarAsType(Variant(0), t);
}

// More elements than this is a mistake in the bounds; it also keeps every length within an int.
constexpr std::int64_t kMaxArrayElements = INT32_MAX;

std::string TypeText(TVarType t) {
    static const struct {
        TVarType type;
        const char* name;
    } names[] = {{varEmpty, "Empty"},       {varNull, "Null"},       {varSmallint, "Smallint"},
                 {varInteger, "Integer"},   {varSingle, "Single"},   {varDouble, "Double"},
                 {varCurrency, "Currency"}, {varDate, "Date"},       {varBoolean, "Boolean"},
                 {varError, "Error"},       {varVariant, "Variant"}, {varShortInt, "ShortInt"},
                 {varByte, "Byte"},         {varWord, "Word"},       {varLongWord, "LongWord"},
                 {varInt64, "Int64"},       {varString, "String"}};
    for (const auto& n : names)
        if (n.type == t)
            return n.name;
    return Format("Unknown (%d)", {static_cast<int>(t)});
}

}  // namespace

bool VarTypeIsInteger(TVarType type) {
    switch (type) {
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64:
            return true;
        default:
            return false;
    }
}

// ---- construction and kind ----

Variant Variant::Null() {
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::FromCurrency(std::int64_t units) {
    Variant v(static_cast<long long>(units));
    v.type_ = varCurrency;
    return v;
}

Variant Variant::FromDateTime(TDateTime dt) {
    Variant v(dt);
    v.type_ = varDate;
    return v;
}

Variant Variant::OfInteger(TVarType kind, std::int64_t value) {
    if (!VarTypeIsInteger(kind))
        throw EVariantTypeCastError("Invalid variant integer type " + TypeText(kind));
    Variant v(static_cast<long long>(value));
    if (!IntegerFits(kind, value))
        v.OverflowError(kind);
    v.type_ = kind;
    return v;
}

Variant Variant::OfError(std::int32_t code) {
    Variant v(static_cast<long long>(code));
    v.type_ = varError;
    return v;
}

Variant Variant::OfSingle(float value) {
    Variant v(static_cast<double>(value));
    v.type_ = varSingle;
    return v;
}

TVarType Variant::VarType() const {
    return type_ == varArray ? static_cast<TVarType>(varArray | Array().elementType) : type_;
}

bool Variant::IsNumeric() const {
    return VarTypeIsInteger(type_) || type_ == varSingle || type_ == varDouble || type_ == varCurrency;
}

void Variant::CastError(TVarType target) const {
    throw EVariantTypeCastError(Format("Could not convert variant of type (%s) into type (%s)",
                                       {VarTypeName(VarType()), TypeText(target)}));
}

void Variant::OverflowError(TVarType target) const {
    throw EVariantOverflowError(Format("Overflow while converting variant of type (%s) into type (%s)",
                                       {VarTypeName(VarType()), TypeText(target)}));
}

// ---- conversions ----

std::int64_t Variant::ToInt64(TVarType target) const {
    std::int64_t out = 0;
    if (type_ == varEmpty)
        return 0;
    if (type_ == varBoolean)
        return std::get<bool>(value_) ? -1 : 0;
    if (VarTypeIsInteger(type_))
        return IntegerValue();
    if (type_ == varCurrency)
        return CurrencyToInteger(IntegerValue());
    if (IsFloatKind(type_)) {
        if (!RoundToInt64(FloatValue(), out))
            OverflowError(target);
        return out;
    }
    if (type_ == varString) {
        const std::string& s = std::get<std::string>(value_);
        if (TryStrToInt64(s, out))
            return out;
        DecimalDigits d;
        if (!TryParseDecimal(s, NumberFormat().DecimalSeparator, d))
            CastError(target);
        if (!DecimalToScaledInt64(d, 0, out))
            OverflowError(target);
        return out;
    }
    CastError(target);
}

std::int64_t Variant::AsInt64() const {
    return ToInt64(varInt64);
}

std::int32_t Variant::AsInteger() const {
    const std::int64_t v = ToInt64(varInteger);
    if (!IntegerFits(varInteger, v))
        OverflowError(varInteger);
    return static_cast<std::int32_t>(v);
}

bool Variant::AsBoolean() const {
    if (type_ == varEmpty)
        return false;
    if (type_ == varBoolean)
        return std::get<bool>(value_);
    if (VarTypeIsInteger(type_) || type_ == varCurrency)
        return IntegerValue() != 0;
    if (IsFloatKind(type_))
        return FloatValue() != 0;
    if (type_ == varString) {
        const std::string& s = std::get<std::string>(value_);
        if (SameText(s, "True"))
            return true;
        if (SameText(s, "False"))
            return false;
        double d;
        if (TryStrToFloat(s, d))
            return d != 0;
    }
    CastError(varBoolean);
}

double Variant::AsDouble() const {
    if (type_ == varEmpty)
        return 0;
    if (type_ == varBoolean)
        return std::get<bool>(value_) ? -1 : 0;
    if (VarTypeIsInteger(type_))
        return static_cast<double>(IntegerValue());
    if (type_ == varCurrency)
        return static_cast<double>(IntegerValue()) / CurrencyScale;
    if (IsFloatKind(type_))
        return FloatValue();
    if (type_ == varString) {
        double d;
        if (TryStrToFloat(std::get<std::string>(value_), d))
            return d;
    }
    CastError(varDouble);
}

std::int64_t Variant::AsCurrency() const {
    if (type_ == varEmpty)
        return 0;
    if (type_ == varCurrency)
        return IntegerValue();
    if (type_ == varBoolean)
        return std::get<bool>(value_) ? -CurrencyScale : 0;
    std::int64_t out = 0;
    if (VarTypeIsInteger(type_)) {
        if (__builtin_mul_overflow(IntegerValue(), CurrencyScale, &out))
            OverflowError(varCurrency);
        return out;
    }
    if (IsFloatKind(type_)) {
        if (!RoundToInt64(FloatValue() * CurrencyScale, out))
            OverflowError(varCurrency);
        return out;
    }
    if (type_ == varString) {
        DecimalDigits d;
        if (!TryParseDecimal(std::get<std::string>(value_), NumberFormat().DecimalSeparator, d))
            CastError(varCurrency);
        if (!DecimalToScaledInt64(d, 4, out))
            OverflowError(varCurrency);
        return out;
    }
    CastError(varCurrency);
}

TDateTime Variant::AsDateTime() const {
    if (type_ == varString) {
        TDateTime dt;
        if (TryStrToDateTime(std::get<std::string>(value_), dt))
            return dt;
        CastError(varDate);
    }
    if (type_ == varNull || type_ == varArray)
        CastError(varDate);
    return AsDouble();
}

std::string Variant::AsString() && {
    if (type_ == varString)
        return std::move(std::get<std::string>(value_));
    return std::as_const(*this).AsString();
}

std::string Variant::AsString() const& {
    switch (type_) {
        case varEmpty:
            return {};
        case varBoolean:
            return std::get<bool>(value_) ? "True" : "False";
        case varCurrency:
            return CurrToStr(IntegerValue());
        case varSingle:
        case varDouble:
            return FloatToStr(FloatValue());
        case varDate:
            return DateTimeToStr(FloatValue());
        case varString:
            return std::get<std::string>(value_);
        default:
            break;
    }
    if (VarTypeIsInteger(type_))
        return IntToStr(IntegerValue());
    CastError(varString);
}

Variant Variant::AsType(TVarType type) const {
    if (type == type_ && type != varArray)
        return *this;
    switch (type) {
        case varEmpty:
            return Variant();
        case varNull:
            return Null();
        case varBoolean:
            return Variant(AsBoolean());
        case varSingle:
            return OfSingle(static_cast<float>(AsDouble()));
        case varDouble:
            return Variant(AsDouble());
        case varCurrency:
            return FromCurrency(AsCurrency());
        case varDate:
            return FromDateTime(AsDateTime());
        case varString:
            return Variant(AsString());
        default:
            break;
    }
    if (VarTypeIsInteger(type)) {
        const std::int64_t v = ToInt64(type);
        if (!IntegerFits(type, v))
            OverflowError(type);
        return OfInteger(type, v);
    }
    CastError(type);
}

// ---- arrays ----

const VarArrayData& Variant::Array() const {
    if (type_ != varArray)
        throw EVariantArrayError("Variant is not an array");
    return *std::get<std::shared_ptr<VarArrayData>>(value_);
}

int Variant::DimCount() const {
    return type_ == varArray ? static_cast<int>(Array().bounds.size()) : 0;
}

int Variant::LowBound(int dim) const {
    const VarArrayData& a = Array();
    if (dim < 1 || dim > static_cast<int>(a.bounds.size()))
        throw EVariantBadIndexError("Variant array dimension out of range");
    return a.bounds[static_cast<std::size_t>(dim - 1)].LowBound;
}

int Variant::HighBound(int dim) const {
    const VarArrayData& a = Array();
    if (dim < 1 || dim > static_cast<int>(a.bounds.size()))
        throw EVariantBadIndexError("Variant array dimension out of range");
    return a.bounds[static_cast<std::size_t>(dim - 1)].HighBound;
}

TVarType Variant::ElementType() const {
    return Array().elementType;
}

std::size_t Variant::Offset(std::span<const int> indexes) const {
    const VarArrayData& a = Array();
    if (indexes.size() != a.bounds.size())
        throw EVariantBadIndexError("Variant or safe array index out of bounds");
    std::size_t offset = 0, stride = 1;
    for (std::size_t d = 0; d < indexes.size(); ++d) {
        const TVarArrayBound& b = a.bounds[d];
        if (indexes[d] < b.LowBound || indexes[d] > b.HighBound)
            throw EVariantBadIndexError("Variant or safe array index out of bounds");
        offset += static_cast<std::size_t>(indexes[d] - b.LowBound) * stride;
        stride *= static_cast<std::size_t>(b.HighBound - b.LowBound + 1);
    }
    return offset;
}

const Variant& Variant::GetElement(std::span<const int> indexes) const {
    return Array().elements[Offset(indexes)];
}

const Variant& Variant::GetElement(std::initializer_list<int> indexes) const {
    return GetElement(std::span<const int>(indexes.begin(), indexes.size()));
}

void Variant::PutElement(std::span<const int> indexes, const Variant& value) {
    const std::size_t at = Offset(indexes);
    auto& shared = std::get<std::shared_ptr<VarArrayData>>(value_);
    Variant converted = shared->elementType == varVariant ? value : value.AsType(shared->elementType);
    if (shared.use_count() > 1)
        shared = std::make_shared<VarArrayData>(*shared);  // copy on write
    shared->elements[at] = std::move(converted);
}

void Variant::PutElement(std::initializer_list<int> indexes, const Variant& value) {
    PutElement(std::span<const int>(indexes.begin(), indexes.size()), value);
}

// ---- comparison ----

bool Variant::operator==(const Variant& other) const {
    if (type_ == varEmpty || type_ == varNull || other.type_ == varEmpty || other.type_ == varNull)
        return type_ == other.type_;
    if (type_ == varError || other.type_ == varError)
        return type_ == other.type_ && IntegerValue() == other.IntegerValue();
    if (type_ == varString || other.type_ == varString)
        return type_ == other.type_ && std::get<std::string>(value_) == std::get<std::string>(other.value_);
    if (type_ == varArray || other.type_ == varArray) {
        if (type_ != other.type_)
            return false;
        const VarArrayData &a = Array(), &b = other.Array();
        if (a.bounds.size() != b.bounds.size())
            return false;
        for (std::size_t i = 0; i < a.bounds.size(); ++i)
            if (a.bounds[i].LowBound != b.bounds[i].LowBound ||
                a.bounds[i].HighBound != b.bounds[i].HighBound)
                return false;
        return a.elements == b.elements;
    }
    const bool exactA = VarTypeIsInteger(type_) || type_ == varBoolean,
               exactB = VarTypeIsInteger(other.type_) || other.type_ == varBoolean;
    if (exactA && exactB)
        return ToInt64(varInt64) == other.ToInt64(varInt64);
    if ((exactA || type_ == varCurrency) && (exactB || other.type_ == varCurrency)) {
        std::int64_t a = 0, b = 0;
        return !__builtin_mul_overflow(type_ == varCurrency ? IntegerValue() : ToInt64(varInt64),
                                       type_ == varCurrency ? 1 : CurrencyScale, &a) &&
               !__builtin_mul_overflow(
                   other.type_ == varCurrency ? other.IntegerValue() : other.ToInt64(varInt64),
                   other.type_ == varCurrency ? 1 : CurrencyScale, &b) &&
               a == b;
    }
    return AsDouble() == other.AsDouble();
}

// ---- free functions ----

TVarType VarType(const Variant& v) {
    return v.VarType();
}

std::string VarTypeName(TVarType type) {
    if (type & varArray)
        return "Array " + TypeText(static_cast<TVarType>(type & varTypeMask));
    return TypeText(type);
}

bool VarIsNull(const Variant& v) {
    return v.IsNull();
}
bool VarIsEmpty(const Variant& v) {
    return v.IsEmpty();
}
bool VarIsClear(const Variant& v) {
    return v.IsEmpty();
}
bool VarIsArray(const Variant& v) {
    return v.IsArray();
}
bool VarIsStr(const Variant& v) {
    return v.IsString();
}
bool VarIsNumeric(const Variant& v) {
    return v.IsNumeric();
}

std::string VarToStr(const Variant& v) {
    return v.IsNull() ? std::string() : v.AsString();
}

std::string VarToStrDef(const Variant& v, std::string_view def) {
    return v.IsNull() ? std::string(def) : v.AsString();
}

Variant VarAsType(const Variant& v, TVarType type) {
    return v.AsType(type);
}

int VarTypeSize(TVarType t) {
    switch (t) {
        case varShortInt:
        case varByte:
            return 1;
        case varSmallint:
        case varWord:
        case varBoolean:
            return 2;
        case varInteger:
        case varLongWord:
        case varSingle:
            return 4;
        case varDouble:
        case varCurrency:
        case varDate:
        case varInt64:
            return 8;
        default:
            return 0;
    }
}

Variant VarArrayCreate(std::span<const TVarArrayBound> bounds, TVarType elementType) {
    if (bounds.empty())
        throw EVariantArrayError("Unable to create variant array: no dimension");
    if (elementType != varVariant && elementType != varString && VarTypeSize(elementType) == 0)
        throw EVariantArrayError("Unable to create variant array of " + TypeText(elementType));
    std::int64_t count = 1;
    for (const TVarArrayBound& b : bounds) {
        const std::int64_t length = std::int64_t{b.HighBound} - b.LowBound + 1;
        if (length < 0)
            throw EVariantArrayError("Unable to create variant array: bad bounds");
        // Checked at every step, so that a wrapped product never sizes the elements below the bounds.
        count *= length;
        if (count > kMaxArrayElements)
            throw EVariantArrayError("Unable to create variant array: too many elements");
    }
    auto data = std::make_shared<VarArrayData>();
    data->elementType = elementType;
    data->bounds.assign(bounds.begin(), bounds.end());
    data->elements.assign(static_cast<std::size_t>(count), ZeroOf(elementType));
    Variant v;
    v.type_ = varArray;
    v.value_ = std::move(data);
    return v;
}

Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType) {
    if (bounds.size() % 2 != 0)
        throw EVariantArrayError("Unable to create variant array: odd number of bounds");
    std::vector<TVarArrayBound> pairs;
    for (auto it = bounds.begin(); it != bounds.end(); it += 2) pairs.push_back({*it, *(it + 1)});
    return VarArrayCreate(std::span<const TVarArrayBound>(pairs), elementType);
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
    Variant a = VarArrayCreate({0, static_cast<int>(values.size()) - 1}, varVariant);
    int i = 0;
    for (const Variant& v : values) a.PutElement({i++}, v);
    return a;
}

int VarArrayDimCount(const Variant& v) {
    return v.DimCount();
}
int VarArrayLowBound(const Variant& v, int dim) {
    return v.LowBound(dim);
}
int VarArrayHighBound(const Variant& v, int dim) {
    return v.HighBound(dim);
}

std::string VarArrayRawBytes(const Variant& v) {
    const VarArrayData& a = v.Array();
    const int size = VarTypeSize(a.elementType);
    if (size == 0)
        throw EVariantArrayError("Variant array of " + TypeText(a.elementType) + " has no raw data");
    std::string out;
    out.reserve(a.elements.size() * static_cast<std::size_t>(size));
    for (const Variant& e : a.elements) {
        char buf[8];
        if (a.elementType == varSingle) {
            const float f = static_cast<float>(e.AsDouble());
            std::memcpy(buf, &f, 4);
        } else if (a.elementType == varDouble || a.elementType == varDate) {
            const double d = e.AsDouble();
            std::memcpy(buf, &d, 8);
        } else {
            // Integers, currency units and booleans (-1 / 0) in two's complement, low byte first.
            const std::int64_t i = a.elementType == varCurrency  ? e.AsCurrency()
                                   : a.elementType == varBoolean ? (e.AsBoolean() ? -1 : 0)
                                                                 : e.AsInt64();
            std::memcpy(buf, &i, 8);
        }
        out.append(buf, static_cast<std::size_t>(size));
    }
    return out;
}
