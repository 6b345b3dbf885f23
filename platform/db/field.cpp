#include "platform/db/field.h"

#include "platform/db/dataset.h"

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
    SetDataSet(nullptr);
}

void TField::SetDataSet(TDataSet* value) {
    if (value == dataSet_)
        return;
    if (dataSet_ != nullptr)
        dataSet_->Fields().Remove(this);
    dataSet_ = value;
    if (dataSet_ != nullptr)
        dataSet_->Fields().Add(this);
}

int TField::Index() const {
    return dataSet_ == nullptr ? -1 : dataSet_->Fields().IndexOf(this);
}

int TField::DisplayWidth() const {
    if (displayWidth_ > 0)
        return displayWidth_;
    return size_ > 0 ? size_ : 10;
}

bool TField::GetData(Variant& value) const {
    if (dataSet_ == nullptr)
        DatabaseError("Field '" + DisplayName() + "' has no dataset", this);
    return dataSet_->GetFieldData(this, value);
}

void TField::CheckCanModify() const {
    if (dataSet_ == nullptr)
        DatabaseError("Field '" + DisplayName() + "' has no dataset", this);
    const bool calculating = dataSet_->State() == dsCalcFields || dataSet_->State() == dsInternalCalc;
    if (ReadOnly || (FieldKind != fkData && !calculating))
        DatabaseError("Field '" + DisplayName() + "' cannot be modified", this);
    const TDataSetState state = dataSet_->State();
    if (state != dsEdit && state != dsInsert && state != dsSetKey && !calculating)
        DatabaseError("Dataset not in edit or insert mode", dataSet_);
}

void TField::SetData(const Variant& value) {
    CheckCanModify();
    if (OnValidate)
        OnValidate(this);
    dataSet_->SetFieldData(this, value);
    if (OnChange)
        OnChange(this);
}

bool TField::IsNull() const {
    Variant value;
    return !GetData(value) || value.IsNull() || value.IsEmpty();
}

Variant TField::GetAsVariant() const {
    Variant value;
    if (!GetData(value) || value.IsEmpty())
        return Variant::Null();
    return value;
}

void TField::SetAsVariant(const Variant& value) {
    SetData(value.IsEmpty() ? Variant::Null() : value);
}

std::string TField::GetAsString() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? std::string() : value.AsString();
}

int TField::GetAsInteger() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? 0 : value.AsInteger();
}

double TField::GetAsFloat() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? 0.0 : value.AsDouble();
}

bool TField::GetAsBoolean() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? false : value.AsBoolean();
}

TDateTime TField::GetAsDateTime() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? 0.0 : value.AsDateTime();
}

std::string TField::DefaultText(bool /*displayText*/) const {
    return GetAsString();
}

std::string TField::GetText(bool displayText) const {
    if (!OnGetText)
        return DefaultText(displayText);
    std::string text;
    OnGetText(const_cast<TField*>(this), text, displayText);
    return text;
}

void TField::SetText(const std::string& value) {
    if (OnSetText)
        OnSetText(this, value);
    else
        SetAsString(value);
}
