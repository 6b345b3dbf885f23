// The column's look and editing properties: each answers the user's value once set, else its
// fallback from the field, the grid or the grid's column defaults; and their setters.
#include <utility>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "data_grid/fallback_font.h"
#include "platform/db/data_link.h"
#include "platform/db/field.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/font.h"

namespace {

const IGridColumnDefValuesEh kNoGridDefaults;

}  // namespace

const IGridColumnDefValuesEh* TColumnEh::Defaults() const {
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr || grid->ColumnDefValuesPart() == nullptr)
        return &kNoGridDefaults;
    return grid->ColumnDefValuesPart();
}

bool TColumnEh::Loading() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr && grid->ComponentState().Contains(csLoading);
}

bool TColumnEh::LinkActive() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr && grid->DataLink() != nullptr && grid->DataLink()->Active();
}

TAlignment TColumnEh::Alignment() const {
    if (ownValues_.Contains(ovAlignment))
        return alignment_;
    const TField* field = BoundField();
    return field != nullptr ? field->Alignment : taLeftJustify;
}

void TColumnEh::SetAlignment(TAlignment Value) {
    if (IsAutoColumn()) {
        // An auto column shows its field as it is: the field takes the value.
        if (LinkActive())
            if (TField* field = ResolveField())
                field->Alignment = Value;
        return;
    }
    SetOwn(ovAlignment, alignment_, Value);
}

bool TColumnEh::ReadOnly() const {
    if (ownValues_.Contains(ovReadOnly))
        return readOnly_;
    TCustomDBGridEh* grid = OwnerGrid();
    const TField* field = BoundField();
    return (grid != nullptr && grid->ReadOnly()) || (field != nullptr && field->ReadOnly);
}

void TColumnEh::SetReadOnly(bool Value) {
    if (IsAutoColumn() && LinkActive()) {
        if (TField* field = ResolveField())
            field->ReadOnly = Value;
        return;
    }
    SetOwn(ovReadOnly, readOnly_, Value);
}

TColor TColumnEh::Color() const {
    if (ownValues_.Contains(ovColor))
        return color_;
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr ? grid->Color() : clWindow;
}

void TColumnEh::SetColor(TColor Value) {
    SetOwn(ovColor, color_, Value);
}

TBiDiMode TColumnEh::BiDiMode() const {
    TCustomDBGridEh* grid = OwnerGrid();
    if (ownValues_.Contains(ovBiDiMode) || grid == nullptr)
        return biDiMode_;
    return grid->BiDiMode();
}

void TColumnEh::SetBiDiMode(TBiDiMode Value) {
    SetOwn(ovBiDiMode, biDiMode_, Value);
}

bool TColumnEh::IsRightToLeft() const {
    return BiDiMode() == bdRightToLeft;
}

bool TColumnEh::IsRightToLeftReading() const {
    return BiDiMode() != bdLeftToRight;
}

bool TColumnEh::Checkboxes() const {
    if (ownValues_.Contains(ovCheckboxes))
        return checkboxes_;
    const TField* field = BoundField();
    return field != nullptr && field->DataType() == ftBoolean;
}

void TColumnEh::SetCheckboxes(bool Value) {
    SetOwn(ovCheckboxes, checkboxes_, Value);
}

bool TColumnEh::HighlightRequired() const {
    return ownValues_.Contains(ovHighlightRequired) ? highlightRequired_ : Defaults()->HighlightRequired();
}

void TColumnEh::SetHighlightRequired(bool Value) {
    SetOwn(ovHighlightRequired, highlightRequired_, Value);
}

bool TColumnEh::AlwaysShowEditButton() const {
    return ownValues_.Contains(ovAlwaysShowEditButton) ? alwaysShowEditButton_
                                                       : Defaults()->AlwaysShowEditButton();
}

void TColumnEh::SetAlwaysShowEditButton(bool Value) {
    SetOwn(ovAlwaysShowEditButton, alwaysShowEditButton_, Value);
}

bool TColumnEh::EndEllipsis() const {
    return ownValues_.Contains(ovEndEllipsis) ? endEllipsis_ : Defaults()->EndEllipsis();
}

void TColumnEh::SetEndEllipsis(bool Value) {
    SetOwn(ovEndEllipsis, endEllipsis_, Value);
}

TTextLayout TColumnEh::Layout() const {
    return ownValues_.Contains(ovLayout) ? layout_ : Defaults()->Layout();
}

void TColumnEh::SetLayout(TTextLayout Value) {
    SetOwn(ovLayout, layout_, Value);
}

bool TColumnEh::AutoDropDown() const {
    return ownValues_.Contains(ovAutoDropDown) ? autoDropDown_ : Defaults()->AutoDropDown();
}

void TColumnEh::SetAutoDropDown(bool Value) {
    SetOwnQuietly(ovAutoDropDown, autoDropDown_, Value);
}

bool TColumnEh::DblClickNextVal() const {
    return ownValues_.Contains(ovDblClickNextVal) ? dblClickNextVal_ : Defaults()->DblClickNextVal();
}

void TColumnEh::SetDblClickNextVal(bool Value) {
    SetOwnQuietly(ovDblClickNextVal, dblClickNextVal_, Value);
}

bool TColumnEh::DropDownShowTitles() const {
    return ownValues_.Contains(ovDropDownShowTitles) ? dropDownShowTitles_ : Defaults()->DropDownShowTitles();
}

void TColumnEh::SetDropDownShowTitles(bool Value) {
    SetOwnQuietly(ovDropDownShowTitles, dropDownShowTitles_, Value);
}

bool TColumnEh::DropDownSizing() const {
    return ownValues_.Contains(ovDropDownSizing) ? dropDownSizing_ : Defaults()->DropDownSizing();
}

void TColumnEh::SetDropDownSizing(bool Value) {
    SetOwnQuietly(ovDropDownSizing, dropDownSizing_, Value);
}

bool TColumnEh::ToolTips() const {
    return ownValues_.Contains(ovToolTips) ? toolTips_ : Defaults()->ToolTips();
}

void TColumnEh::SetToolTips(bool Value) {
    SetOwnQuietly(ovToolTips, toolTips_, Value);
}

TImeMode TColumnEh::ImeMode() const {
    TCustomDBGridEh* grid = OwnerGrid();
    if (ownValues_.Contains(ovImeMode) || grid == nullptr)
        return imeMode_;
    return grid->ImeMode();
}

void TColumnEh::SetImeMode(TImeMode Value) {
    if (ownValues_.Contains(ovImeMode) || Value != ImeMode()) {
        imeMode_ = Value;
        ownValues_.Include(ovImeMode);
    }
    NotifyChanged(false);
}

std::string TColumnEh::ImeName() const {
    TCustomDBGridEh* grid = OwnerGrid();
    if (ownValues_.Contains(ovImeName) || grid == nullptr)
        return imeName_;
    return grid->ImeName();
}

void TColumnEh::SetImeName(const std::string& Value) {
    if (ownValues_.Contains(ovImeName) || Value != ImeName()) {
        imeName_ = Value;
        ownValues_.Include(ovImeName);
    }
    NotifyChanged(false);
}

bool TColumnEh::OwnImeSettings(TImeMode& Mode, std::string& Name) const {
    if (!ownValues_.Contains(ovImeMode) && !ownValues_.Contains(ovImeName))
        return false;
    Mode = ImeMode();
    Name = ImeName();
    return true;
}

bool TColumnEh::FallbackWordWrap() const {
    const TField* field = BoundField();
    if (OwnerGrid() == nullptr || field == nullptr)
        return false;
    switch (field->DataType()) {
        case ftString:
        case ftMemo:
        case ftFmtMemo:
        case ftWideString:
            return true;
        default:
            return false;
    }
}

bool TColumnEh::WordWrap() const {
    return ownValues_.Contains(ovWordWrap) ? wordWrap_ : FallbackWordWrap();
}

void TColumnEh::SetWordWrap(bool Value) {
    if (ownValues_.Contains(ovWordWrap) || Value != FallbackWordWrap() || Loading()) {
        wordWrap_ = Value;
        ownValues_.Include(ovWordWrap);
    }
    NotifyChanged(false);
}

std::string TColumnEh::LookupDisplayFields() const {
    if (ownValues_.Contains(ovLookupDisplayFields))
        return lookupDisplayFields_;
    const TField* field = BoundField();
    return field != nullptr ? field->LookupResultField : std::string();
}

void TColumnEh::SetLookupDisplayFields(const std::string& Value) {
    if (ownValues_.Contains(ovLookupDisplayFields) || Value != LookupDisplayFields()) {
        lookupDisplayFields_ = Value;
        ownValues_.Include(ovLookupDisplayFields);
    }
    const TColumnDropDownGridClassEh& popups = ColumnDropDownGridClass();
    if (dataList_ && popups.SetListField)
        popups.SetListField(*dataList_, Value);
    NotifyChanged(false);
}

const TFont* TColumnEh::FallbackFont() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr ? grid->Font() : font_.get();
}

// The copy is no change of the user's: the change handler stays quiet meanwhile.
void TColumnEh::CopyFallbackFont() const {
    AssignFallbackFont(*font_, FallbackFont(), copyingFont_);
}

TFont* TColumnEh::Font() const {
    if (!ownValues_.Contains(ovFont))
        CopyFallbackFont();
    return font_.get();
}

void TColumnEh::SetFont(const TFont& Value) {
    font_->Assign(Value);
}

void TColumnEh::SyncDefaultFont() {
    if (!ownValues_.Contains(ovFont))
        CopyFallbackFont();
}

void TColumnEh::FontChanged() {
    if (copyingFont_)
        return;
    ownValues_.Include(ovFont);
    if (title_)
        title_->SyncDefaultFont();
    NotifyChanged(false);
}

void TColumnEh::SetButtonStyle(TColumnButtonStyleEh Value) {
    if (Value == buttonStyle_)
        return;
    buttonStyle_ = Value;
    NotifyChanged(false);
}

void TColumnEh::SetDropDownWidth(int Value) {
    if (Value == dropDownWidth_)
        return;
    dropDownWidth_ = Value;
    NotifyChanged(false);
}

void TColumnEh::SetShowImageAndText(bool Value) {
    if (Value == showImageAndText_)
        return;
    showImageAndText_ = Value;
    NotifyChanged(false);
}

void TColumnEh::SetHideDuplicates(bool Value) {
    if (Value == hideDuplicates_)
        return;
    hideDuplicates_ = Value;
    NotifyChanged(false);
}

void TColumnEh::SetDisplayFormat(const std::string& Value) {
    if (Value == displayFormat_)
        return;
    displayFormat_ = Value;
    NotifyChanged(false);
}

void TColumnEh::SetEditMask(const std::string& Value) {
    if (Value == editMask_)
        return;
    editMask_ = Value;
    NotifyChanged(false);
}

void TColumnEh::SetVisible(bool Value) {
    visible_ = Value;
    NotifyChanged(true);
}

void TColumnEh::SetNotInKeyListIndex(int Value) {
    notInKeyListIndex_ = Value;
    RepaintGrid();
}

TStrings* TColumnEh::KeyList() const {
    if (!keyList_)
        keyList_ = std::make_unique<TStringList>();
    return keyList_.get();
}

void TColumnEh::SetKeyList(const TStrings* Value) {
    if (Value == nullptr)
        keyList_.reset();
    else if (Value != keyList_.get())
        KeyList()->Assign(*Value);
    RepaintGrid();
}

TStrings* TColumnEh::PickList() const {
    if (!pickList_)
        pickList_ = std::make_unique<TStringList>();
    return pickList_.get();
}

void TColumnEh::SetPickList(const TStrings* Value) {
    if (Value == nullptr)
        pickList_.reset();
    else if (Value != pickList_.get())
        PickList()->Assign(*Value);
}
