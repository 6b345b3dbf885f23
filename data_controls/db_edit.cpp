// The edit control's construction, settings and the way its value goes between the text and the data.
#include "data_controls/db_edit.h"

#include <algorithm>
#include <cmath>

#include "data_controls/edit_button_menu.h"
#include "data_controls/mru_listbox.h"
#include "data_controls/variant_kinds.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/flag_scope.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/image_list.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/shape.h"

namespace {

bool IsTextField(const TField* field) {
    return field->DataType() == ftString || field->DataType() == ftWideString;
}

bool IsMemoField(const TField* field) {
    return field->DataType() == ftMemo || field->DataType() == ftFmtMemo;
}

}  // namespace

std::string SafeVarToStr(const Variant& value) {
    if (value.IsArray())
        return "";
    try {
        return VarToStr(value);
    } catch (...) {
        return "";
    }
}

TCustomDBEditEh::TCustomDBEditEh(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    ControlStyle.Include(csCaptureMouse);
    ControlStyle.Include(csReplicatable);
}

void TCustomDBEditEh::AfterConstruction() {
    TCustomMaskEdit::AfterConstruction();
    dataLink_ = NewDataLink();
    dataLink_->SetControl(this);
    BindLinkHooks();
    editButton_ = NewEditButton();
    editButton_->OnChangeHook = [this](TEditButtonEh*) { EditButtonChanged(); };
    editButtons_ = NewEditButtons();
    editButtons_->OnChangeHook = [this](TCollectionItem*) { EditButtonChanged(); };
    editImage_ = NewEditImage();
    mruList_ = std::make_unique<TMRUListEh>(this);
    mruList_->OnDropDown = [this](TMRUListEh*) { MRUListDropDown(); };
    mruList_->OnCloseUp = [this](TMRUListEh*, bool accept) { MRUListCloseUp(accept); };
    RefreshReadOnly();
    RefreshImageIndex();
}

TCustomDBEditEh::~TCustomDBEditEh() {
    // Letting go of the data source must not call back into a control half gone.
    if (dataLink_) {
        dataLink_->DataChangeHook = nullptr;
        dataLink_->EditingChangeHook = nullptr;
        dataLink_->UpdateDataHook = nullptr;
        dataLink_->ActiveChangeHook = nullptr;
        dataLink_->SetDataSource(nullptr);
    }
    if (mruList_) {
        mruList_->OnDropDown = nullptr;
        mruList_->OnCloseUp = nullptr;
    }
    if (editButton_)
        editButton_->OnChangeHook = nullptr;
    if (editButtons_)
        editButtons_->OnChangeHook = nullptr;
}

void TCustomDBEditEh::BindLinkHooks() {
    dataLink_->DataChangeHook = [this](TFieldDataLinkEh*) {
        FieldDataChanged();
        UpdateEditButtonControlsState();
    };
    dataLink_->EditingChangeHook = [this](TFieldDataLinkEh*) { LinkEditingChanged(); };
    dataLink_->UpdateDataHook = [this](TFieldDataLinkEh*) { CommitData(); };
    dataLink_->ActiveChangeHook = [this](TFieldDataLinkEh*) { LinkActiveChanged(); };
}

void TCustomDBEditEh::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == nullptr)
        return;
    if (dataLink_ && AComponent == DataSource())
        SetDataSource(nullptr);
    if (editImage_ && AComponent == editImage_->Images())
        editImage_->SetImages(nullptr);
    if (editButton_ && AComponent == editButton_->DropdownMenu())
        editButton_->SetDropdownMenu(nullptr);
    if (editButtons_)
        for (int i = 0; i < editButtons_->Count(); ++i)
            if (editButtons_->GetButton(i)->DropdownMenu() == AComponent)
                editButtons_->GetButton(i)->SetDropdownMenu(nullptr);
    if (AComponent == mruListBox_)
        mruListBox_ = nullptr;
    ForgetButtonControl(AComponent);
}

void TCustomDBEditEh::ForgetButtonControl(TComponent* component) {
    auto found = std::find_if(buttonControls_.begin(), buttonControls_.end(), [component](const auto& line) {
        return line.EditButtonControl == component || line.ButtonLine == component;
    });
    if (found == buttonControls_.end())
        return;
    TControl* partner = found->EditButtonControl == component ? static_cast<TControl*>(found->ButtonLine)
                                                              : found->EditButtonControl;
    buttonControls_.erase(found);
    if (!ComponentState().Contains(csDestroying))
        Free(partner);
}

void TCustomDBEditEh::Loaded() {
    TCustomMaskEdit::Loaded();
    ClearFieldMaxLength();
    RefreshBorderState();
}

// Parts.

bool TCustomDBEditEh::ButtonsUsable() const {
    return Enabled() && dataLink_ && dataLink_->IsActive();
}

std::unique_ptr<TFieldDataLinkEh> TCustomDBEditEh::NewDataLink() {
    return std::make_unique<TFieldDataLinkEh>(this);
}

std::unique_ptr<TEditButtonEh> TCustomDBEditEh::NewEditButton() {
    return std::make_unique<TEditButtonEh>(this);
}

TEditButtonControlEh* TCustomDBEditEh::NewEditButtonControl() {
    return NewEditButtonControlFor(*this);
}

std::unique_ptr<TEditButtonsEh> TCustomDBEditEh::NewEditButtons() {
    return std::make_unique<TEditButtonsEh>(this, ItemClass<TVisibleEditButtonEh>());
}

std::unique_ptr<TEditImageEh> TCustomDBEditEh::NewEditImage() {
    return std::make_unique<TEditImageEh>(this);
}

// Settings.

TAlignment TCustomDBEditEh::Alignment() const {
    return alignmentAssigned_ ? alignment_ : FieldAlignment();
}

void TCustomDBEditEh::SetAlignment(TAlignment value) {
    alignmentAssigned_ = true;
    if (value == alignment_)
        return;
    alignment_ = value;
    if (wordWrap_)
        RecreateWnd();
    else
        Invalidate();
}

void TCustomDBEditEh::SetEditMask(const std::string& value) {
    if (editMaskAssigned_ && value == EditMask())
        return;
    const bool keepText = ComponentState().Contains(csLoading) && IsUnbound();
    const std::string text = EditText();
    TCustomMaskEdit::SetEditMask(value);
    if (keepText)
        SetEditText(text);
    editMaskAssigned_ = true;
    if (IsUnbound())
        PostTextToField();
    else
        FieldDataChanged();
}

void TCustomDBEditEh::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    RecreateWnd();
}

void TCustomDBEditEh::SetReadOnly(bool value) {
    if (value == readOnly_)
        return;
    readOnly_ = value;
    LinkEditingChanged();
}

void TCustomDBEditEh::SetWordWrap(bool value) {
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    RecreateWnd();
}

void TCustomDBEditEh::SetOnGetImageIndex(TGetEditImageIndexEventEh value) {
    onGetImageIndex_ = std::move(value);
    RefreshImageIndex();
}

// Data.

TField* TCustomDBEditEh::Field() const {
    return dataLink_ ? dataLink_->FirstField() : nullptr;
}

bool TCustomDBEditEh::IsUnbound() const {
    return dataLink_->Unbound();
}

TAlignment TCustomDBEditEh::FieldAlignment() const {
    const TField* field = Field();
    return field != nullptr ? field->Alignment : taLeftJustify;
}

std::string TCustomDBEditEh::FieldEditMask() const {
    const TField* field = Field();
    return field != nullptr ? field->EditMask : std::string();
}

std::string TCustomDBEditEh::GetDataField() const {
    return dataLink_->FieldName();
}

TDataSource* TCustomDBEditEh::GetDataSource() const {
    return dataLink_->BoundDataSource();
}

Variant TCustomDBEditEh::FetchValue() const {
    return Variant(Text());
}

bool TCustomDBEditEh::AcceptsChar(char32_t Key) const {
    const TField* field = Field();
    if (field == nullptr)
        return true;
    // The field's set covers one byte; past it, only a field taking every character takes it.
    if (Key < 256)
        return field->IsValidChar(static_cast<char>(Key));
    return field->ValidChars.all();
}

void TCustomDBEditEh::LinkActiveChanged() {
    ClearFieldMaxLength();
    // A closed dataset sends no record change: the last record's text must not stay on show.
    if (!IsUnbound() && !dataLink_->Active())
        FieldDataChanged();
    UpdateEditButtonControlsState();
}

void TCustomDBEditEh::ClearFieldMaxLength() {
    if (MaxLength() <= 0 || DataSource() == nullptr || DataSource()->DataSet() == nullptr)
        return;
    const TField* field = DataSource()->DataSet()->FindField(DataField());
    if (field != nullptr && IsTextField(field) && field->Size() == MaxLength())
        SetMaxLength(0);
}

void TCustomDBEditEh::SetDataSource(TDataSource* Value) {
    dataLink_->SetDataSource(Value);
    if (Value != nullptr)
        Value->FreeNotification(this);
    FieldDataChanged();
    Invalidate();
}

void TCustomDBEditEh::SetDataField(const std::string& Value) {
    ClearFieldMaxLength();
    dataLink_->SetFieldName(Value);
    UpdateEditButtonControlsState();
    Invalidate();
}

void TCustomDBEditEh::FieldDataChanged() {
    TField* field = Field();
    if (field != nullptr) {
        if (field->Alignment != alignment_)
            Invalidate();
        if (!editMaskAssigned_)
            TCustomMaskEdit::SetEditMask(field->EditMask);
        if (IsTextField(field) && MaxLength() == 0)
            SetMaxLength(field->Size());
        if (focused_ && dataLink_->IsModifiable())
            ApplyText(IsMemoField(field) ? field->AsString() : field->Text());
        else
            SetEditText(IsMemoField(field) ? field->AsString() : field->DisplayText());
    } else {
        if (!editMaskAssigned_)
            TCustomMaskEdit::SetEditMask("");
        SetEditText(IsUnbound() ? SafeVarToStr(dataLink_->UnboundValue()) : std::string());
    }
    RefreshReadOnly();
    SetModified(false);
}

void TCustomDBEditEh::RefreshReadOnly() {
    TEdit::ReadOnly = readOnly_ || (!dataLink_->Editing() && !OnUpdateData) || !HolderCanModify();
}

void TCustomDBEditEh::LinkEditingChanged() {
    RefreshReadOnly();
}

void TCustomDBEditEh::SetFocusedState(bool AFocused) {
    focused_ = AFocused;
    if (Alignment() != taLeftJustify && !IsMasked())
        Invalidate();
    dataLink_->ReloadRecord();
}

void TCustomDBEditEh::ApplyText(const std::string& Text) {
    TCustomMaskEdit::SetText(Text);
}

void TCustomDBEditEh::ApplyValue(const Variant& Value) {
    ApplyText(SafeVarToStr(Value));
}

void TCustomDBEditEh::PostTextToField() {
    dataLink_->SetText(IsUnbound() ? EditText() : Text());
}

bool TCustomDBEditEh::EntersEditingForWrite() {
    if (IsUnbound())
        return true;
    if (ComponentState().Contains(csDesigning))
        return false;
    if (DataSource() != nullptr && DataSource()->DataSet() != nullptr)
        DataSource()->DataSet()->Edit();
    return true;
}

void TCustomDBEditEh::CommitAfterWrite() {
    if (dataPosting_)
        return;
    try {
        CommitData();
    } catch (...) {
        dataLink_->ReloadRecord();
        throw;
    }
}

void TCustomDBEditEh::SetText(const std::string& value) {
    if (!EntersEditingForWrite())
        return;
    ApplyText(value);
    CommitAfterWrite();
}

void TCustomDBEditEh::StoreValue(const Variant& Value) {
    if (!EntersEditingForWrite())
        return;
    ApplyValue(Value);
    CommitAfterWrite();
}

void TCustomDBEditEh::CommitData() {
    if (focused_)
        ValidateEdit();
    {
        TFlagScope posting(dataPosting_);
        bool handled = false;
        if (OnUpdateData)
            OnUpdateData(this, handled);
        if (!handled)
            PostTextToField();
    }
    SetModified(false);
    if (mruList_->AutoAdd() && mruList_->Active() && IsShowing() && !IsPassword())
        mruList_->AddItem(Text());
}

void TCustomDBEditEh::Change() {
    dataLink_->SetModified();
    SetModified(true);
    TCustomMaskEdit::Change();
    RefreshImageIndex();
    if (userTextChanged_)
        TextChangedByUser();
}

void TCustomDBEditEh::RefreshImageIndex() {
    if (!editImage_ || !editImage_->Visible() || editImage_->Images() == nullptr)
        return;
    int index = BaseImageIndex();
    const Variant value = FetchValue();
    if (HoldsPlainNumber(value))
        index = static_cast<int>(std::lround(value.AsDouble()));
    if (onGetImageIndex_)
        onGetImageIndex_(this, index);
    editImage_->SetImageIndex(index);
}

bool TCustomDBEditEh::ExecuteAction(TBasicAction* Action) {
    return TCustomMaskEdit::ExecuteAction(Action) || dataLink_->ExecuteAction(Action);
}

bool TCustomDBEditEh::UpdateAction(TBasicAction* Action) {
    return TCustomMaskEdit::UpdateAction(Action) || dataLink_->UpdateAction(Action);
}

bool TCustomDBEditEh::HolderCanModify() const {
    return !inplaceMode_ || editHolderIntf_ == nullptr ||
           editHolderIntf_->EditorCanModify(const_cast<TCustomDBEditEh*>(this));
}
