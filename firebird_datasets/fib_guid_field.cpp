#include "firebird_datasets/fib_fields.h"
#include "platform/db/dataset.h"

TFIBGuidField::TFIBGuidField(TComponent* AOwner) : TGuidField(AOwner) {
    InitSize(RawGuidSize);
}

void TFIBGuidField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    TGUID parsed;
    if (!TryStringToGUID(value, parsed))
        DatabaseError("'" + value + "' is not a valid GUID value for field '" + DisplayName() + "'");
    SetData(Variant(GuidToBytes(parsed)));
}

void TFIBGuidField::SetGuidData(const TGUID& value) {
    if (value == TGUID{})
        Clear();
    else
        SetData(Variant(GuidToBytes(value)));
}
