#include "firebird_datasets/fib_fields.h"
#include "platform/rtl/strings.h"

namespace {

constexpr int BooleanDataSize = 2;
// Firebird's BOOLEAN, under its own number and the one the datasets know it by.
constexpr int SqlTypeBoolean = 590;
constexpr int SqlTypeServerBoolean = 32764;

bool IsTrueValue(const Variant& value) {
    if (value.IsString())
        return value.AsBoolean();
    if (value.VarType() == varBoolean)
        return value.AsBoolean();
    return value.AsDouble() != 0;
}

}  // namespace

TFIBBooleanField::TFIBBooleanField(TComponent* AOwner) : TBooleanField(AOwner) {}

int TFIBBooleanField::DataSize() const {
    TFIBFieldColumn column;
    if (!FIBFieldColumn(*this, column) || column.SqlLength <= 0 || column.SqlType == SqlTypeBoolean ||
        column.SqlType == SqlTypeServerBoolean)
        return BooleanDataSize;
    return column.SqlLength;
}

bool TFIBBooleanField::GetAsBoolean() const {
    Variant data;
    return GetData(data) && !data.IsNull() && !data.IsEmpty() && IsTrueValue(data);
}

Variant TFIBBooleanField::GetAsVariant() const {
    return IsNull() ? Variant::Null() : Variant(GetAsBoolean());
}

std::string TFIBBooleanField::GetAsString() const {
    if (IsNull())
        return {};
    return GetAsBoolean() ? stringTrue_ : stringFalse_;
}

void TFIBBooleanField::SetAsStringValue(const std::string& value) {
    if (value == "1" || AnsiSameText(value, stringTrue_))
        SetAsBooleanValue(true);
    else if (value == "0" || AnsiSameText(value, stringFalse_))
        SetAsBooleanValue(false);
    else
        TBooleanField::SetAsStringValue(value);
}
