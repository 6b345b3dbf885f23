#include "platform/db/field.h"

#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

TField::~TField() {
    SetLookupDataSet(nullptr);
    SetDataSet(nullptr);
}

void TField::SetSize(int value) {
    CheckTypeSize(value);
    size_ = value;
}

void TField::CheckTypeSize(int value) const {
    if (value < 0)
        DatabaseError("Invalid field size");
}

void TField::CheckNoSize(int value) {
    if (value != 0)
        DatabaseError("Invalid field size");
}

void TField::RangeError(const std::string& value, const std::string& min, const std::string& max) const {
    DatabaseError(value + " is not a valid value for field '" + DisplayName() + "'. The allowed range is " +
                  min + " to " + max);
}

void TField::AccessError(const std::string& typeName) const {
    DatabaseError("Cannot access field '" + DisplayName() + "' as type " + typeName);
}

void TField::SetLookupDataSet(TDataSet* value) {
    if (value == lookupDataSet_)
        return;
    if (lookupDataSet_ != nullptr)
        lookupDataSet_->RemoveFreeNotification(this);
    lookupDataSet_ = value;
    if (lookupDataSet_ != nullptr)
        lookupDataSet_->FreeNotification(this);
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == lookupDataSet_)
        lookupDataSet_ = nullptr;
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

void TField::SetIndex(int value) {
    if (dataSet_ != nullptr)
        dataSet_->Fields().SetFieldIndex(this, value);
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

Variant TField::OldValue() const {
    if (dataSet_ == nullptr)
        DatabaseError("Field '" + DisplayName() + "' has no dataset", this);
    return dataSet_->GetStateFieldValue(dsOldValue, this);
}

Variant TField::NewValue() const {
    if (dataSet_ == nullptr)
        DatabaseError("Field '" + DisplayName() + "' has no dataset", this);
    return dataSet_->GetStateFieldValue(dsNewValue, this);
}

bool TField::CanModify() const {
    const bool writable = FieldKind == fkData || FieldKind == fkInternalCalc;
    return writable && !ReadOnly && dataSet_ != nullptr && dataSet_->CanModify();
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
    Variant value = GetAsVariant();
    return value.IsNull() ? std::string() : std::move(value).AsString();
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

std::int64_t TField::GetAsCurrency() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? 0 : value.AsCurrency();
}

std::int64_t TField::GetAsLargeInt() const {
    const Variant value = GetAsVariant();
    return value.IsNull() ? 0 : value.AsInt64();
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

std::string FieldClassDescription(const TField& field) {
    std::string name = field.ClassName();
    if (name.starts_with('T'))
        name.erase(0, 1);
    if (name.ends_with("Field"))
        name.erase(name.size() - 5);
    return "(" + (field.IsNull() ? name : UpperCase(name)) + ")";
}
