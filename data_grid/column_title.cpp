// A column's title: caption, look and hint with their fallbacks, copying and resetting.
#include "data_grid/column_title.h"

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/fallback_font.h"
#include "platform/db/data_link.h"
#include "platform/db/field.h"
#include "platform/ui/font.h"

TColumnTitleEh::TColumnTitleEh(TColumnEh& Column) : column_(Column) {
    font_ = std::make_unique<TFont>();
    SyncDefaultFont();
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TColumnTitleEh::~TColumnTitleEh() = default;

TPersistent* TColumnTitleEh::GetOwner() const {
    return &column_;
}

TAlignment TColumnTitleEh::Alignment() const {
    return column_.OwnValues().Contains(ovTitleAlignment) ? alignment_ : column_.Defaults()->TitleAlignment();
}

void TColumnTitleEh::SetAlignment(TAlignment Value) {
    column_.SetOwn(ovTitleAlignment, alignment_, Value);
}

std::string TColumnTitleEh::FallbackCaption() const {
    const TField* field = column_.BoundField();
    return field != nullptr ? field->DisplayName() : column_.FieldName();
}

std::string TColumnTitleEh::Caption() const {
    return column_.OwnValues().Contains(ovTitleCaption) ? caption_ : FallbackCaption();
}

void TColumnTitleEh::SetCaption(const std::string& Value) {
    if (column_.IsAutoColumn()) {
        // An auto column's caption is its field's label.
        if (column_.LinkActive())
            if (TField* field = column_.ResolveField())
                field->DisplayLabel = Value;
        return;
    }
    column_.SetOwn(ovTitleCaption, caption_, Value);
}

TColor TColumnTitleEh::Color() const {
    return column_.OwnValues().Contains(ovTitleColor) ? color_ : column_.Defaults()->TitleColor();
}

void TColumnTitleEh::SetColor(TColor Value) {
    column_.SetOwn(ovTitleColor, color_, Value);
}

bool TColumnTitleEh::EndEllipsis() const {
    return column_.OwnValues().Contains(ovTitleEndEllipsis) ? endEllipsis_
                                                            : column_.Defaults()->TitleEndEllipsis();
}

void TColumnTitleEh::SetEndEllipsis(bool Value) {
    column_.SetOwn(ovTitleEndEllipsis, endEllipsis_, Value);
}

TTextOrientationEh TColumnTitleEh::Orientation() const {
    return column_.OwnValues().Contains(ovTitleOrientation) ? orientation_
                                                            : column_.Defaults()->TitleOrientation();
}

void TColumnTitleEh::SetOrientation(TTextOrientationEh Value) {
    column_.SetOwn(ovTitleOrientation, orientation_, Value);
}

bool TColumnTitleEh::TitleButton() const {
    return column_.OwnValues().Contains(ovTitleButton) ? titleButton_ : column_.Defaults()->TitleButton();
}

void TColumnTitleEh::SetTitleButton(bool Value) {
    column_.SetOwn(ovTitleButton, titleButton_, Value);
}

bool TColumnTitleEh::ToolTips() const {
    return column_.OwnValues().Contains(ovTitleToolTips) ? toolTips_ : column_.Defaults()->TitleToolTips();
}

void TColumnTitleEh::SetToolTips(bool Value) {
    column_.SetOwnQuietly(ovTitleToolTips, toolTips_, Value);
}

void TColumnTitleEh::SetImageIndex(int Value) {
    imageIndex_ = Value;
    if (TCustomDBGridEh* grid = column_.OwnerGrid())
        grid->RefreshLayout();
}

const TFont* TColumnTitleEh::FallbackFont() const {
    TCustomDBGridEh* grid = column_.OwnerGrid();
    return grid != nullptr ? grid->TitleFont() : column_.Font();
}

// Re-copied when the fallback differs in any way, its colour included.
void TColumnTitleEh::SyncDefaultFont() const {
    if (column_.OwnValues().Contains(ovTitleFont))
        return;
    AssignFallbackFont(*font_, FallbackFont(), copyingFont_);
}

TFont* TColumnTitleEh::Font() const {
    SyncDefaultFont();
    return font_.get();
}

void TColumnTitleEh::SetFont(const TFont& Value) {
    font_->Assign(Value);
}

void TColumnTitleEh::FontChanged() {
    if (copyingFont_)
        return;
    column_.SetOwnValues(column_.OwnValues() + TColumnEhValues{ovTitleFont});
    column_.NotifyChanged(true);
}

void TColumnTitleEh::ResetToDefaults() {
    const bool hadFont = column_.OwnValues().Contains(ovTitleFont);
    column_.SetOwnValues(column_.OwnValues() - TColumnEhValues{ovTitleColor, ovTitleCaption, ovTitleAlignment,
                                                               ovTitleFont, ovTitleButton, ovTitleEndEllipsis,
                                                               ovTitleToolTips, ovTitleOrientation});
    caption_.clear();
    SyncDefaultFont();
    column_.NotifyChanged(hadFont);
}

void TColumnTitleEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TColumnTitleEh*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    const TColumnEhValues own = source->column_.OwnValues();
    if (own.Contains(ovTitleAlignment))
        SetAlignment(source->Alignment());
    if (own.Contains(ovTitleColor))
        SetColor(source->Color());
    if (own.Contains(ovTitleCaption))
        SetCaption(source->Caption());
    if (own.Contains(ovTitleFont))
        SetFont(*source->Font());
    hint_ = source->hint_;
    SetImageIndex(source->ImageIndex());
    SetOrientation(source->Orientation());
    SetSortIndex(source->SortIndex());
    SetSortMarker(source->SortMarker());
    SetTitleButton(source->TitleButton());
    SetEndEllipsis(source->EndEllipsis());
    SetToolTips(source->ToolTips());
}
