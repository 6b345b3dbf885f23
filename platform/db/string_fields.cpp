#include "platform/db/string_fields.h"

#include "platform/db/dataset.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/strings.h"

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftString);
    InitSize(20);
}

void TStringField::CheckTypeSize(int value) const {
    if (value < 0)
        DatabaseError("Invalid field size");
}

void TStringField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        Clear();
    else
        SetAsStringValue(value.AsString());
}

void TStringField::SetAsStringValue(const std::string& value) {
    const auto limit = static_cast<std::size_t>(Size());
    SetData(Variant(Size() > 0 && value.size() > limit ? value.substr(0, limit) : value));
}

void TStringField::SetAsIntegerValue(int value) {
    SetAsStringValue(IntToStr(value));
}

void TStringField::SetAsFloatValue(double value) {
    SetAsStringValue(FloatToStr(value));
}

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) {
    SetDataType(ftWideString);
}

std::string GuidToBytes(const TGUID& value) {
    std::string bytes(TGuidField::RawGuidSize, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(value.D1 >> (8 * i));
    for (int i = 0; i < 2; ++i) {
        bytes[static_cast<std::size_t>(4 + i)] = static_cast<char>(value.D2 >> (8 * i));
        bytes[static_cast<std::size_t>(6 + i)] = static_cast<char>(value.D3 >> (8 * i));
    }
    for (std::size_t i = 0; i < 8; ++i) bytes[8 + i] = static_cast<char>(value.D4[i]);
    return bytes;
}

TGUID GuidFromBytes(const std::string& bytes) {
    TGUID value;
    if (bytes.size() != TGuidField::RawGuidSize)
        return value;
    auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    value.D1 = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    value.D2 = static_cast<std::uint16_t>(byte(4) | byte(5) << 8);
    value.D3 = static_cast<std::uint16_t>(byte(6) | byte(7) << 8);
    for (std::size_t i = 0; i < 8; ++i) value.D4[i] = static_cast<std::uint8_t>(byte(8 + i));
    return value;
}

TGuidField::TGuidField(TComponent* AOwner) : TStringField(AOwner) {
    SetDataType(ftGuid);
    InitSize(GuidTextSize);
}

void TGuidField::CheckTypeSize(int value) const {
    if (value != RawGuidSize && value != GuidTextSize)
        DatabaseError("Invalid field size");
}

std::string TGuidField::GetAsString() const {
    Variant value;
    if (!GetData(value) || value.IsNull() || value.IsEmpty())
        return {};
    std::string text = value.AsString();
    return text.size() == RawGuidSize ? GUIDToString(GuidFromBytes(text)) : text;
}

TGUID TGuidField::AsGuid() const {
    TGUID value;
    TryStringToGUID(GetAsString(), value);
    return value;
}

void TGuidField::SetAsGuid(const TGUID& value) {
    SetData(Variant(Size() == RawGuidSize ? GuidToBytes(value) : GUIDToString(value)));
}

void TGuidField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    TGUID parsed;
    if (!TryStringToGUID(value, parsed))
        DatabaseError("'" + value + "' is not a valid GUID value for field '" + DisplayName() + "'");
    SetAsGuid(parsed);
}
