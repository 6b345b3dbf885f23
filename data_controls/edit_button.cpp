#include "data_controls/edit_button.h"

#include <algorithm>

#include "platform/ui/virtual_keys.h"
#include "platform/ui/win_control.h"

namespace {

std::unique_ptr<TBitmap> TransparentGlyph() {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetTransparent(true);
    return glyph;
}

}  // namespace

TEditButtonEh::TEditButtonEh() : glyph_(TransparentGlyph()) {}

TEditButtonEh::TEditButtonEh(TWinControl* editControl)
    : editControl_(editControl), glyph_(TransparentGlyph()) {}

TEditButtonEh::~TEditButtonEh() = default;

void TEditButtonEh::NotifyChanged() {
    if (OnChangeHook)
        OnChangeHook(this);
    else if (Collection() != nullptr)
        Changed(false);
}

void TEditButtonEh::SetGlyph(const TBitmap& value) {
    glyph_->Assign(value);
    NotifyChanged();
}

void TEditButtonEh::SetHint(const std::string& value) {
    if (value == hint_)
        return;
    hint_ = value;
    NotifyChanged();
}

void TEditButtonEh::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_)
        return;
    numGlyphs_ = value;
    NotifyChanged();
}

void TEditButtonEh::SetStyle(TEditButtonStyleEh value) {
    if (value == style_)
        return;
    style_ = value;
    NotifyChanged();
}

void TEditButtonEh::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    NotifyChanged();
}

void TEditButtonEh::SetWidth(int value) {
    if (value == width_)
        return;
    width_ = value;
    NotifyChanged();
}

void TEditButtonEh::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TEditButtonEh*>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    dropdownMenu_ = other->dropdownMenu_;
    SetGlyph(*other->Glyph());
    SetHint(other->Hint());
    SetNumGlyphs(other->NumGlyphs());
    shortCut_ = other->shortCut_;
    SetStyle(other->Style());
    SetVisible(other->Visible());
    SetWidth(other->Width());
    OnClick = other->OnClick;
    OnDown = other->OnDown;
}

std::unique_ptr<TEditButtonControlEh> TEditButtonEh::MakeButtonControl() const {
    auto control = std::make_unique<TEditButtonControlEh>(nullptr);
    control->ControlStyle.Include(csReplicatable);
    control->SetBounds(0, 0, 10, 17);
    control->SetVisible(true);
    control->SetParent(editControl_);
    return control;
}

TVisibleEditButtonEh::TVisibleEditButtonEh() {
    visible_ = true;
    SetShortCut(scAlt | VK_DOWN);
}

TVisibleEditButtonEh::TVisibleEditButtonEh(TWinControl* editControl) : TEditButtonEh(editControl) {
    visible_ = true;
    SetShortCut(scAlt | VK_DOWN);
}

TEditButtonsEh::TEditButtonsEh(TPersistent* owner, TCollectionItemClass itemClass)
    : TCollection(std::move(itemClass)), owner_(owner) {}

void TEditButtonsEh::Update(TCollectionItem* item) {
    TCollection::Update(item);
    if (OnChangeHook)
        OnChangeHook(item);
}
