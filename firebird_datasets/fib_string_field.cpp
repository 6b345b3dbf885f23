#include <cstdio>

#include "firebird_datasets/datasets_settings.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/rtl/flag_scope.h"

namespace {

std::uint32_t LittleEndianWord(const std::string& bytes, std::size_t at) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i)
        word |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return word;
}

}  // namespace

TFIBstringField::TFIBstringField(TComponent* AOwner)
    : TStringField(AOwner), emptyStrToNull_(FIBDatasetsSettings().StringFieldsEmptyStrToNull) {}

bool IsDBKeyStringField(const TField* field) {
    TFIBFieldColumn column;
    return dynamic_cast<const TFIBstringField*>(field) != nullptr && FIBFieldColumn(*field, column) &&
           (column.SqlName == "DB_KEY" || column.SqlName == "RDB$DB_KEY");
}

// A DB key shows as one group of eight hexadecimal digits per 32-bit word.
std::string TFIBstringField::DBKeyText() const {
    Variant data;
    if (!GetData(data) || data.IsNull() || data.IsEmpty())
        return {};
    std::string bytes = data.AsString();
    const std::size_t groups = static_cast<std::size_t>(Size()) / 4;
    bytes.resize(groups * 4, '\0');
    std::string text;
    text.reserve(groups * 8);
    char group[16];
    for (std::size_t i = 0; i < groups; ++i) {
        std::snprintf(group, sizeof group, "%-8.8x", LittleEndianWord(bytes, i * 4));
        text += group;
    }
    return text;
}

std::string TFIBstringField::GetAsString() const {
    if (IsDBKeyStringField(this))
        return DBKeyText();
    Variant data;
    if (!GetData(data) || data.IsNull() || data.IsEmpty())
        return {};
    std::string text = data.AsString();
    if (Size() > 0 && text.size() > static_cast<std::size_t>(Size()))
        text.resize(static_cast<std::size_t>(Size()));
    if (!Calculated())
        return text;
    const std::size_t end = text.find('\0');
    return end == std::string::npos ? text : text.substr(0, end);
}

Variant TFIBstringField::GetAsVariant() const {
    if (IsNull())
        return Variant::Null();
    return Variant(GetAsString());
}

void TFIBstringField::SetAsStringValue(const std::string& value) {
    const std::size_t limit = static_cast<std::size_t>(Size());
    valueLength_ = static_cast<int>(Size() > 0 && value.size() > limit ? limit : value.size());
    TFlagScope setting(settingValue_);
    TStringField::SetAsStringValue(value);
}
