#include "platform/db/blob_fields.h"

#include "platform/db/blob_stream.h"
#include "platform/db/dataset.h"

TBlobField::TBlobField(TComponent* AOwner) : TBlobField(AOwner, ftBlob) {}

TBlobField::TBlobField(TComponent* AOwner, TFieldType type) : TField(AOwner) {
    SetDataType(type);
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner, ftMemo) {}

TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner, ftGraphic) {}

void TBlobField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        Clear();
    else if (value.IsArray())
        SetAsStringValue(VarArrayRawBytes(value));
    else
        SetAsStringValue(value.AsString());
}

void TBlobField::SetAsStringValue(const std::string& value) {
    SetData(value.empty() ? Variant::Null() : Variant(value));
    Modified = true;
}

void TBlobField::LoadFromStream(TStream& stream) {
    if (DataSet() == nullptr)
        DatabaseError("Field '" + DisplayName() + "' has no dataset", this);
    auto blob = DataSet()->CreateBlobStream(this, bmWrite);
    blob->CopyFrom(stream, 0);
}

void TBlobField::SaveToStream(TStream& stream) const {
    if (DataSet() == nullptr)
        DatabaseError("Field '" + DisplayName() + "' has no dataset", this);
    auto blob = DataSet()->CreateBlobStream(const_cast<TBlobField*>(this), bmRead);
    if (blob->Size() > 0)
        stream.CopyFrom(*blob, 0);
}
