#include "firebird_datasets/sort_keys.h"

#include <algorithm>

#include "platform/rtl/strings.h"

namespace fibsort {
namespace {

template <typename T>
int Sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The kind under which a value compares with another value of its kind; Values for kinds that only
// the general comparison handles (Empty, arrays, errors).
TSortKeyKind KindOfValue(const Variant& value) {
    const TVarType type = value.VarType();
    if (value.IsArray())
        return TSortKeyKind::Values;
    if (VarTypeIsInteger(type))
        return TSortKeyKind::Integer;
    switch (type) {
        case varCurrency:
            return TSortKeyKind::Currency;
        case varSingle:
        case varDouble:
        case varDate:
            return TSortKeyKind::Float;
        case varBoolean:
            return TSortKeyKind::Boolean;
        default:
            return value.IsString() ? TSortKeyKind::Text : TSortKeyKind::Values;
    }
}

// The room the texts take, reserved at once: growing pools of megabytes cost more than their copying.
std::size_t TextBytes(const std::vector<Variant>& values) {
    std::size_t bytes = 0;
    for (const Variant& value : values)
        if (!value.IsNull())
            bytes += value.AsString().size();
    return bytes;
}

}  // namespace

// ---- texts ----

namespace {

// Standard UTF-8 for every code below U+110000, surrogates and the stray-byte marks included: unlike
// Utf32ToUtf8 it gives back no stray bytes, so the bytes keep the order of the codes.
void AppendOrderedUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

void TTextSortKeys::Reserve(std::size_t count, std::size_t bytes) {
    folded_.reserve(bytes);
    original_.reserve(bytes);
    foldedStarts_.reserve(count + 1);
    originalStarts_.reserve(count + 1);
}

void TTextSortKeys::Add(std::string_view utf8) {
    original_ += utf8;
    originalStarts_.push_back(static_cast<std::uint32_t>(original_.size()));
    for (const char32_t c : Utf8ToUtf32(utf8)) AppendOrderedUtf8(folded_, UpperCaseChar(c));
    foldedStarts_.push_back(static_cast<std::uint32_t>(folded_.size()));
}

// Texts equal but for case: the first code where they differ decides, the lower-case letter first.
int TTextSortKeys::CompareCase(int a, int b) const {
    const std::string_view x = Original(a), y = Original(b);
    if (x == y)
        return 0;
    const std::u32string u = Utf8ToUtf32(x), v = Utf8ToUtf32(y);
    for (std::size_t i = 0; i < u.size() && i < v.size(); ++i)
        if (u[i] != v[i])
            return UpperCaseChar(u[i]) != u[i] ? -1 : 1;
    return 0;
}

// ---- one field ----

TSortKeyColumn::TSortKeyColumn(std::vector<Variant> values, bool ascending, TValuesCompare compareValues,
                               bool byValues)
    : kind_(byValues ? TSortKeyKind::Values : KindOfValues(values)),
      direction_(ascending ? 1 : -1),
      count_(static_cast<int>(values.size())),
      compareValues_(std::move(compareValues)) {
    if (kind_ == TSortKeyKind::Values)
        values_ = std::move(values);
    else
        Unpack(values);
}

// One kind for every value that is not NULL, or Values.
TSortKeyKind TSortKeyColumn::KindOfValues(const std::vector<Variant>& values) {
    auto value = std::find_if(values.begin(), values.end(), [](const Variant& v) { return !v.IsNull(); });
    if (value == values.end())
        return TSortKeyKind::Integer;
    const TSortKeyKind kind = KindOfValue(*value);
    for (; value != values.end(); ++value)
        if (!value->IsNull() && KindOfValue(*value) != kind)
            return TSortKeyKind::Values;
    return kind;
}

void TSortKeyColumn::Unpack(const std::vector<Variant>& values) {
    nulls_.reserve(values.size());
    if (kind_ == TSortKeyKind::Float)
        inexact_.reserve(values.size());
    else if (kind_ == TSortKeyKind::Text)
        texts_.Reserve(values.size(), TextBytes(values));
    else
        exact_.reserve(values.size());
    for (const Variant& value : values) {
        const bool null = value.IsNull();
        nulls_.push_back(null ? 1 : 0);
        switch (kind_) {
            case TSortKeyKind::Integer:
                exact_.push_back(null ? 0 : value.AsInt64());
                break;
            case TSortKeyKind::Currency:
                exact_.push_back(null ? 0 : value.AsCurrency());
                break;
            case TSortKeyKind::Boolean:
                exact_.push_back(!null && value.AsBoolean() ? 1 : 0);
                break;
            case TSortKeyKind::Float:
                inexact_.push_back(null ? 0.0 : value.AsDouble());
                break;
            case TSortKeyKind::Text:
                texts_.Add(null ? std::string() : value.AsString());
                break;
            case TSortKeyKind::Values:
                break;
        }
    }
}

int TSortKeyColumn::Compare(int a, int b) const {
    if (kind_ == TSortKeyKind::Values)
        return compareValues_(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
    const bool nullA = IsNull(a), nullB = IsNull(b);
    if (nullA || nullB)
        return nullA == nullB ? 0 : (nullA ? -direction_ : direction_);
    switch (kind_) {
        case TSortKeyKind::Float:
            return direction_ * Sign(Inexact(a), Inexact(b));
        case TSortKeyKind::Text:
            return direction_ * texts_.Compare(a, b);
        default:
            return direction_ * Sign(Exact(a), Exact(b));
    }
}

}  // namespace fibsort
