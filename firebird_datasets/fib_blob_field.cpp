#include "firebird_datasets/fib_fields.h"

TFIBBlobField::TFIBBlobField(TComponent* AOwner) : TBlobField(AOwner) {}

Variant TFIBBlobField::GetAsVariant() const {
    return IsNull() ? Variant::Null() : TBlobField::GetAsVariant();
}
