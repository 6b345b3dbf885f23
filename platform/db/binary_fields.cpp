#include "platform/db/binary_fields.h"

#include "platform/db/dataset.h"

TBinaryField::TBinaryField(TComponent* AOwner, TFieldType type) : TField(AOwner) {
    SetDataType(type);
    InitSize(16);
}

void TBinaryField::CheckTypeSize(int value) const {
    if (value < 1)
        DatabaseError("Invalid field size");
}

void TBinaryField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        Clear();
    else if (value.IsArray())
        SetAsStringValue(VarArrayRawBytes(value));
    else
        SetAsStringValue(value.AsString());
}

void TBinaryField::SetAsStringValue(const std::string& value) {
    std::string bytes = value.substr(0, static_cast<std::size_t>(Size()));
    if (DataType() == ftBytes)
        bytes.resize(static_cast<std::size_t>(Size()), '\0');
    SetData(Variant(bytes));
}

TBytesField::TBytesField(TComponent* AOwner) : TBinaryField(AOwner, ftBytes) {}

TVarBytesField::TVarBytesField(TComponent* AOwner) : TBinaryField(AOwner, ftVarBytes) {}
