// The combo box's items, its current item and the way the item goes between the text, the key and
// the data.
#include "data_controls/db_combo_box.h"

#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/strings.h"
#include "platform/ui/image_list.h"

namespace {

bool IsTextField(const TField* field) {
    return field->DataType() == ftString || field->DataType() == ftWideString;
}

bool IsMemoField(const TField* field) {
    return field->DataType() == ftMemo || field->DataType() == ftFmtMemo;
}

}  // namespace

TCustomDBComboBoxEh::TCustomDBComboBoxEh(TComponent* AOwner)
    : TCustomDBEditEh(AOwner),
      items_(std::make_unique<TStringList>()),
      keyItems_(std::make_unique<TStringList>()),
      dropDownBox_(std::make_unique<TDropDownBoxEh>(this)) {}

void TCustomDBComboBoxEh::AfterConstruction() {
    TCustomDBEditEh::AfterConstruction();
    items_->OnChange = [this] { ItemsChanged(); };
    keyItems_->OnChange = [this] { KeyItemsChanged(); };
}

TCustomDBComboBoxEh::~TCustomDBComboBoxEh() {
    items_->OnChange = nullptr;
    keyItems_->OnChange = nullptr;
    if (popupList_ != nullptr) {
        // The list goes after the items: it must not read them on its way out.
        popupList_->OnData = nullptr;
        popupList_->OnMouseUp = nullptr;
        popupList_->OnGetImageIndex = nullptr;
    }
}

void TCustomDBComboBoxEh::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomDBEditEh::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == popupList_) {
        popupList_ = nullptr;
        listVisible_ = false;
    }
}

std::unique_ptr<TEditButtonEh> TCustomDBComboBoxEh::NewEditButton() {
    return std::make_unique<TVisibleEditButtonEh>(this);
}

// ---- Items

void TCustomDBComboBoxEh::Recount() {
    keyBased_ = keyItems_->Count() > 0;
    itemsCount_ = keyBased_ ? std::min(items_->Count(), keyItems_->Count()) : items_->Count();
}

void TCustomDBComboBoxEh::ItemsChanged() {
    Recount();
    if (keyBased_)
        SetEditText("");
    RefreshReadOnly();
    SyncItemIndex();
    ClearFieldMaxLength();
    // The text emptied above belongs to the key still kept: show that key's item again.
    if (keyBased_)
        ApplyValue(value_);
    if (popupList_ != nullptr && popupList_->ItemsSource() == items_.get())
        popupList_->SetCount(items_->Count());
}

void TCustomDBComboBoxEh::KeyItemsChanged() {
    ItemsChanged();
    FieldDataChanged();
    UpdateEditButtonControlsState();
}

void TCustomDBComboBoxEh::SetIndexOnly(int index) {
    itemIndex_ = index >= 0 && index < itemsCount_ ? index : -1;
}

void TCustomDBComboBoxEh::ListFollows() {
    if (popupList_ != nullptr && listVisible_)
        popupList_->SetItemIndex(itemIndex_);
}

void TCustomDBComboBoxEh::SyncItemIndex() {
    // Of equal texts the current item stays the one chosen.
    const std::string text = Text();
    if (itemIndex_ < 0 || itemIndex_ >= items_->Count() || items_->Get(itemIndex_) != text)
        SetIndexOnly(items_->IndexOf(text));
    ListFollows();
    RefreshImageIndex();
}

void TCustomDBComboBoxEh::Change() {
    TCustomDBEditEh::Change();
    SyncItemIndex();
}

void TCustomDBComboBoxEh::RequestItems() {
    if (items_->Count() == 0 && ItemsListHook)
        ItemsListHook(this);
}

void TCustomDBComboBoxEh::ApplyItemIndex(int Index) {
    if (Index == itemIndex_)
        return;
    RequestItems();
    if (Index < 0 || Index >= itemsCount_) {
        itemIndex_ = -1;
        value_ = Variant::Null();
    } else {
        itemIndex_ = Index;
        if (keyBased_)
            value_ = Variant(keyItems_->Get(Index));
    }
    RefreshImageIndex();
    ListFollows();
    TCustomMaskEdit::SetText(itemIndex_ < 0 ? std::string() : items_->Get(itemIndex_));
}

void TCustomDBComboBoxEh::SelectItem(int Index) {
    if (!IsUnbound()) {
        if (ComponentState().Contains(csDesigning))
            return;
        if (DataSource() != nullptr && DataSource()->DataSet() != nullptr)
            DataSource()->DataSet()->Edit();
    }
    ApplyItemIndex(Index);
    if (DataPosting())
        return;
    try {
        CommitData();
    } catch (...) {
        DataLink()->ReloadRecord();
        throw;
    }
}

void TCustomDBComboBoxEh::Clear() {
    if (keyBased_)
        SetValue(Variant::Null());
    else
        SetText("");
}

// ---- Text, value and data

void TCustomDBComboBoxEh::ApplyText(const std::string& Text) {
    if (!keyBased_) {
        TCustomDBEditEh::ApplyText(Text);
        SyncItemIndex();
        return;
    }
    const int i = items_->IndexOf(Text);
    if (i < 0 || i >= itemsCount_)
        return;
    itemIndex_ = i;
    RefreshImageIndex();
    ListFollows();
    value_ = Variant(keyItems_->Get(i));
    TCustomMaskEdit::SetText(Text);
}

void TCustomDBComboBoxEh::ApplyValue(const Variant& Value) {
    if (!keyBased_) {
        TCustomDBEditEh::ApplyValue(Value);
        SyncItemIndex();
        return;
    }
    value_ = Value;
    if (Value.IsNull()) {
        itemIndex_ = -1;
        TCustomMaskEdit::SetText("");
    } else {
        // A key without an item shows no text and names no item.
        SetIndexOnly(keyItems_->IndexOf(SafeVarToStr(Value)));
        TCustomMaskEdit::SetText(itemIndex_ < 0 ? std::string() : items_->Get(itemIndex_));
    }
    RefreshImageIndex();
    ListFollows();
}

Variant TCustomDBComboBoxEh::FetchValue() const {
    return keyBased_ ? value_ : TCustomDBEditEh::FetchValue();
}

TAlignment TCustomDBComboBoxEh::FieldAlignment() const {
    return keyBased_ ? taLeftJustify : TCustomDBEditEh::FieldAlignment();
}

bool TCustomDBComboBoxEh::AcceptsChar(char32_t Key) const {
    return keyBased_ || TCustomDBEditEh::AcceptsChar(Key);
}

void TCustomDBComboBoxEh::ClearFieldMaxLength() {
    if (MaxLength() <= 0)
        return;
    if (keyBased_)
        SetMaxLength(0);
    else
        TCustomDBEditEh::ClearFieldMaxLength();
}

void TCustomDBComboBoxEh::FieldDataChanged() {
    TField* field = Field();
    if (field != nullptr) {
        if (field->Alignment != Alignment())
            Invalidate();
        if (!EditMaskAssigned())
            TCustomMaskEdit::SetEditMask(field->EditMask);
        if (!keyBased_ && IsTextField(field) && MaxLength() == 0 && !ComponentState().Contains(csDesigning))
            SetMaxLength(field->Size());
        if (keyBased_ || (focused_ && DataLink()->IsModifiable())) {
            ApplyValue(Variant(IsMemoField(field) ? field->AsString() : field->Text()));
        } else {
            SetEditText(IsMemoField(field) ? field->AsString() : field->DisplayText());
            SyncItemIndex();
        }
    } else {
        if (!EditMaskAssigned())
            TCustomMaskEdit::SetEditMask("");
        if (IsUnbound() && keyBased_) {
            ApplyValue(DataLink()->UnboundValue());
        } else if (keyBased_) {
            ApplyValue(Variant::Null());
        } else {
            SetEditText(IsUnbound() ? SafeVarToStr(DataLink()->UnboundValue()) : std::string());
            SyncItemIndex();
        }
    }
    SetModified(false);
}

void TCustomDBComboBoxEh::RefreshReadOnly() {
    const bool holderRefuses =
        InplaceMode() && EditHolderIntf() != nullptr && !EditHolderIntf()->EditorCanModify(this);
    TEdit::ReadOnly = ReadOnly() || !DataLink()->Editing() || keyBased_ || holderRefuses;
}

void TCustomDBComboBoxEh::PostTextToField() {
    if (!IsUnbound() || keyBased_)
        DataLink()->SetText(SafeVarToStr(FetchValue()));
    else
        DataLink()->SetText(EditText());
}

void TCustomDBComboBoxEh::CommitData() {
    if (OnNotInList && itemIndex_ == -1) {
        bool recheck = false;
        OnNotInList(this, Text(), recheck);
        // The handler may have added the text to the items: it is then the item chosen.
        if (recheck)
            ApplyText(Text());
    }
    TCustomDBEditEh::CommitData();
}

std::string TCustomDBComboBoxEh::PaintCopyText() const {
    TField* field = Field();
    const bool copy = paintingCopy_ || ControlState.Contains(csPaintCopy);
    if (!copy || field == nullptr)
        return TCustomDBEditEh::PaintCopyText();
    std::string text;
    if (keyBased_) {
        const int i = keyItems_->IndexOf(field->Text());
        if (i >= 0 && i < itemsCount_)
            text = items_->Get(i);
    } else {
        text = field->DisplayText();
    }
    if (CharCase() == ecUpperCase)
        return AnsiUpperCase(text);
    if (CharCase() == ecLowerCase)
        return AnsiLowerCase(text);
    return text;
}

// ---- Images

TCustomImageList* TCustomDBComboBoxEh::Images() const {
    return EditImage()->Images();
}

void TCustomDBComboBoxEh::SetImages(TCustomImageList* value) {
    EditImage()->SetImages(value);
    EditImage()->SetVisible(true);
}

void TCustomDBComboBoxEh::RefreshImageIndex() {
    int index = itemIndex_;
    if (OnGetItemImageIndex)
        OnGetItemImageIndex(this, itemIndex_, index);
    baseImageIndex_ = index;
    TCustomDBEditEh::RefreshImageIndex();
}
