#include "data_controls/field_data_link.h"

#include <algorithm>

#include "data_controls/variants_equal.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/format.h"
#include "platform/ui/win_control.h"

void TFieldDataLinkEh::Fire(const THook& hook, TFieldDataLinkEh* link) {
    if (hook)
        hook(link);
}

TField* TFieldDataLinkEh::FieldsField(int index) const {
    if (fields_.empty())
        return nullptr;
    return fields_.at(static_cast<std::size_t>(index));
}

void TFieldDataLinkEh::SetDataSource(TDataSource* value) {
    if (value == DataSource())
        return;
    TDataLink::SetDataSource(value);
    CheckUnbound();
}

void TFieldDataLinkEh::SetFieldName(const std::string& value) {
    if (value == fieldName_)
        return;
    fieldName_ = value;
    ResolveFields();
    CheckUnbound();
}

void TFieldDataLinkEh::CheckUnbound() {
    const bool unbound = DataSource() == nullptr && fieldName_.empty();
    if (unbound == unbound_)
        return;
    unbound_ = unbound;
    unboundValue_ = Variant::Null();
    LayoutChanged();
    if (unbound_)
        RecordChanged(nullptr);
}

bool TFieldDataLinkEh::IsActive() const {
    return unbound_ || (Active() && !fields_.empty());
}

bool TFieldDataLinkEh::IsModifiable() const {
    return unbound_ || (FirstField() != nullptr && FirstField()->CanModify());
}

bool TFieldDataLinkEh::BeginEditing() {
    if (!unbound_) {
        if (IsModifiable())
            Edit();
        return editing_;
    }
    if (!editing_ && !ReadOnly()) {
        editing_ = true;
        modified_ = false;
        Fire(EditingChangeHook, this);
    }
    return editing_;
}

void TFieldDataLinkEh::SetEditing(bool value) {
    if (value == editing_)
        return;
    editing_ = value;
    modified_ = false;
    Fire(EditingChangeHook, this);
}

void TFieldDataLinkEh::SetText(const std::string& text) {
    if (unbound_) {
        unboundValue_ = Variant(text);
        RecordChanged(nullptr);
        return;
    }
    TField* field = FirstField();
    if (field == nullptr)
        return;
    if (field->DataType() == ftMemo)
        field->SetAsString(text);
    else
        field->SetText(text);
}

void TFieldDataLinkEh::SetValue(const Variant& value) {
    if (unbound_) {
        unboundValue_ = value;
        RecordChanged(nullptr);
    } else if (fields_.size() > 1) {
        SetSeveralFields(value);
    } else if (!fields_.empty()) {
        fields_.front()->SetValue(value);
    }
}

void TFieldDataLinkEh::SetSeveralFields(const Variant& value) {
    if (VariantsEqual(value, Variant::Null())) {
        for (TField* field : fields_) field->Clear();
        return;
    }
    // Check the whole shape first, so a wrong array leaves every field as it was.
    const int count = static_cast<int>(fields_.size());
    if (!value.IsArray() || value.DimCount() != 1 || value.LowBound(1) != 0 ||
        value.HighBound(1) != count - 1)
        throw EVariantArrayError(Format("Invalid variant array for %d fields", {count}));
    for (int i = 0; i < count; ++i) fields_[static_cast<std::size_t>(i)]->SetValue(value[i]);
}

void TFieldDataLinkEh::UpdateData() {
    if (unbound_) {
        if (modified_)
            Fire(UpdateDataHook, this);
        SetEditing(false);
    } else {
        if (!modified_)
            return;
        if (FirstField() != nullptr)
            Fire(UpdateDataHook, this);
    }
    modified_ = false;
}

TFieldsArrEh TFieldDataLinkEh::LookUpFields() const {
    TFieldsArrEh found;
    if (!Active() || fieldName_.empty())
        return found;
    const TDataSet* dataSet = DataSet();
    if (multiFields_) {
        if (control_ != nullptr)
            ListFieldsByNames(&found, dataSet, control_, fieldName_);
        else
            found = dataSet->GetFieldList(fieldName_);
    } else if (control_ != nullptr) {
        TField* field = dataSet->FindField(fieldName_);
        if (field == nullptr)
            DatabaseError(Format("Field '%s' not found", {fieldName_}), control_);
        found.push_back(field);
    } else {
        found.push_back(dataSet->FieldByName(fieldName_));
    }
    return found;
}

void TFieldDataLinkEh::ResolveFields() {
    try {
        fields_ = LookUpFields();
    } catch (...) {
        // A control must not go on showing or writing a field its name no longer gives.
        fields_.clear();
        throw;
    }
    EditingChanged();
    // Without an open dataset there is no record to show; a link that turns unbound is refreshed
    // once by the mode switch itself.
    if (Active())
        RecordChanged(nullptr);
}

void TFieldDataLinkEh::ActiveChanged() {
    ResolveFields();
    Fire(ActiveChangeHook, this);
}

void TFieldDataLinkEh::EditingChanged() {
    SetEditing(TDataLink::Editing() && IsModifiable());
}

void TFieldDataLinkEh::RecordChanged(TField* field) {
    if (field != nullptr && std::find(fields_.begin(), fields_.end(), field) == fields_.end())
        return;
    Fire(DataChangeHook, this);
    modified_ = false;
}

void TFieldDataLinkEh::DataEvent(TDataEvent event, std::intptr_t info) {
    TDataLink::DataEvent(event, info);
    if (event != deDisabledStateChange)
        return;
    if (info != 0)
        ResolveFields();
    else
        fields_.clear();
}

void TFieldDataLinkEh::FocusControl(TField* field) {
    if (field == nullptr || std::find(fields_.begin(), fields_.end(), field) == fields_.end())
        return;
    auto* control = dynamic_cast<TWinControl*>(control_);
    if (control != nullptr && control->CanFocus())
        control->SetFocus();
}
