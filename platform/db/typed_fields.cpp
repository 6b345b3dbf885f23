#include "platform/db/typed_fields.h"

#include <cmath>

#include "platform/db/dataset.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftString);
    SetSize(20);
}

std::string TStringField::IntText(int value) {
    return IntToStr(value);
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

TIntegerField::TIntegerField(TComponent* AOwner) : TField(AOwner) {
    SetDataType(ftInteger);
}

void TIntegerField::CheckRange(int value) const {
    if ((MinValue != 0 || MaxValue != 0) && (value < MinValue || value > MaxValue))
        DatabaseError(IntToStr(value) + " is not a valid value for field '" + DisplayName() +
                      "'. The allowed range is " + IntToStr(MinValue) + " to " + IntToStr(MaxValue));
}

void TIntegerField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else
        SetAsIntegerValue(value.AsInteger());
}

void TIntegerField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    std::int32_t parsed = 0;
    if (!TryStrToInt(value, parsed))
        DatabaseError("'" + value + "' is not a valid integer value");
    SetAsIntegerValue(parsed);
}

void TIntegerField::SetAsIntegerValue(int value) {
    CheckRange(value);
    SetData(Variant(value));
}

void TIntegerField::SetAsFloatValue(double value) {
    SetAsIntegerValue(static_cast<int>(std::lround(value)));
}
