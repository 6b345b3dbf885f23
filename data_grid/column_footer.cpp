#include "data_grid/column_footer.h"

#include "data_grid/column.h"
#include "data_grid/column_def_values.h"
#include "data_grid/db_grid.h"
#include "data_grid/fallback_font.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/field.h"
#include "platform/rtl/published_properties.h"
#include "platform/ui/font.h"

TColumnFooterEh::TColumnFooterEh(TCollection& Collection) {
    if (auto* footers = dynamic_cast<TColumnFootersEh*>(&Collection))
        column_ = &footers->Column();
    MakeFont();
    RepaintFooters();
}

TColumnFooterEh::TColumnFooterEh(TForColumn, TColumnEh& Column) : column_(&Column) {
    MakeFont();
}

std::unique_ptr<TColumnFooterEh> TColumnFooterEh::CreateForColumn(TColumnEh& Column) {
    return std::unique_ptr<TColumnFooterEh>(new TColumnFooterEh(TForColumn{}, Column));
}

TColumnFooterEh::~TColumnFooterEh() {
    RepaintFooters();
    FreeSumItem();
}

void TColumnFooterEh::MakeFont() {
    font_ = std::make_unique<TFont>();
    SyncDefaultFont();
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TCustomDBGridEh* TColumnFooterEh::Grid() const {
    return column_ != nullptr ? column_->OwnerGrid() : nullptr;
}

void TColumnFooterEh::RepaintFooters() const {
    // A grid taking its columns apart has nothing left to paint.
    if (TCustomDBGridEh* grid = Grid(); grid != nullptr && !grid->Destroying())
        grid->Invalidate();
}

void TColumnFooterEh::ColumnChanged(bool AllItems) const {
    if (column_ != nullptr)
        column_->NotifyChanged(AllItems);
}

TDBSum* TColumnFooterEh::SumItem() const {
    const TCustomDBGridEh* grid = Grid();
    if (sumItemId_ < 0 || grid == nullptr || grid->SumList() == nullptr)
        return nullptr;
    return static_cast<TDBSum*>(grid->SumList()->SumCollection().FindItemID(sumItemId_));
}

void TColumnFooterEh::FreeSumItem() {
    if (TDBSum* item = SumItem())
        item->Collection()->Delete(item->Index());
    sumItemId_ = -1;
}

void TColumnFooterEh::BindSum() {
    TCustomDBGridEh* grid = Grid();
    if (column_ == nullptr || grid == nullptr || grid->SumList() == nullptr)
        return;
    const bool summing = valueType_ == fvtSum || valueType_ == fvtAvg || valueType_ == fvtCount;
    TDBSum* item = SumItem();
    if (item == nullptr && !summing)
        return;
    if (!summing) {
        FreeSumItem();
        return;
    }
    TDBSumCollection& sums = grid->SumList()->SumCollection();
    sums.BeginUpdate();
    try {
        if (item == nullptr) {
            item = sums.Add();
            sumItemId_ = item->ID();
        }
        if (valueType_ == fvtCount) {
            item->SetGroupOperation(goCount);
            item->SetFieldName("");
        } else {
            item->SetGroupOperation(valueType_ == fvtSum ? goSum : goAvg);
            item->SetFieldName(fieldName_.empty() ? column_->FieldName() : fieldName_);
        }
    } catch (...) {
        sums.EndUpdate();
        throw;
    }
    sums.EndUpdate();
}

TAlignment TColumnFooterEh::FallbackAlignment() const {
    const TField* field = column_ != nullptr ? column_->Field() : nullptr;
    return field != nullptr ? field->Alignment : taLeftJustify;
}

TColor TColumnFooterEh::FallbackColor() const {
    const TCustomDBGridEh* grid = Grid();
    return grid != nullptr ? grid->FooterColor() : clWindow;
}

const TFont* TColumnFooterEh::FallbackFont() const {
    if (column_ == nullptr)
        return nullptr;
    const TCustomDBGridEh* grid = Grid();
    return grid != nullptr ? grid->FooterFont() : column_->Font();
}

bool TColumnFooterEh::FallbackToolTips() const {
    const TCustomDBGridEh* grid = Grid();
    const auto* defaults =
        grid != nullptr ? dynamic_cast<const TColumnDefValuesEh*>(grid->ColumnDefValuesPart()) : nullptr;
    return defaults != nullptr && defaults->FooterToolTips();
}

TAlignment TColumnFooterEh::Alignment() const {
    return footerOwnValues_.Contains(fovAlignment) ? alignment_ : FallbackAlignment();
}

void TColumnFooterEh::SetAlignment(TAlignment Value) {
    if (footerOwnValues_.Contains(fovAlignment) && alignment_ == Value)
        return;
    alignment_ = Value;
    footerOwnValues_.Include(fovAlignment);
    ColumnChanged(false);
}

TColor TColumnFooterEh::Color() const {
    return footerOwnValues_.Contains(fovColor) ? color_ : FallbackColor();
}

void TColumnFooterEh::SetColor(TColor Value) {
    if (footerOwnValues_.Contains(fovColor) && color_ == Value)
        return;
    color_ = Value;
    footerOwnValues_.Include(fovColor);
    ColumnChanged(false);
}

bool TColumnFooterEh::ToolTips() const {
    return footerOwnValues_.Contains(fovToolTips) ? toolTips_ : FallbackToolTips();
}

void TColumnFooterEh::SetToolTips(bool Value) {
    if (footerOwnValues_.Contains(fovToolTips) && toolTips_ == Value)
        return;
    toolTips_ = Value;
    footerOwnValues_.Include(fovToolTips);
}

void TColumnFooterEh::SetDisplayFormat(const std::string& Value) {
    if (Value == displayFormat_)
        return;
    displayFormat_ = Value;
    ColumnChanged(false);
}

void TColumnFooterEh::SetEndEllipsis(bool Value) {
    endEllipsis_ = Value;
    ColumnChanged(false);
}

void TColumnFooterEh::SetWordWrap(bool Value) {
    wordWrap_ = Value;
    ColumnChanged(false);
}

void TColumnFooterEh::SetValue(const std::string& Value) {
    value_ = Value;
    ColumnChanged(false);
}

void TColumnFooterEh::SetFieldName(const std::string& Value) {
    fieldName_ = Value;
    if (column_ != nullptr)
        column_->BindFooterSums();
    ColumnChanged(false);
}

void TColumnFooterEh::SetValueType(TFooterValueType Value) {
    if (Value == valueType_)
        return;
    valueType_ = Value;
    if (column_ != nullptr)
        column_->BindFooterSums();
    ColumnChanged(false);
}

// Re-copied whenever the fallback differs in any way, its colour included.
void TColumnFooterEh::SyncDefaultFont() const {
    if (footerOwnValues_.Contains(fovFont))
        return;
    AssignFallbackFont(*font_, FallbackFont(), copyingFont_);
}

TFont* TColumnFooterEh::Font() const {
    SyncDefaultFont();
    return font_.get();
}

void TColumnFooterEh::SetFont(const TFont& Value) {
    font_->Assign(Value);
}

void TColumnFooterEh::FontChanged() {
    if (copyingFont_)
        return;
    footerOwnValues_.Include(fovFont);
    ColumnChanged(true);
}

void TColumnFooterEh::ResetToDefaults() {
    const bool hadFont = footerOwnValues_.Contains(fovFont);
    footerOwnValues_ = {};
    SyncDefaultFont();
    ColumnChanged(hadFont);
}

void TColumnFooterEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TColumnFooterEh*>(&Source);
    if (source == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (source->footerOwnValues_.Contains(fovAlignment))
        SetAlignment(source->Alignment());
    if (source->footerOwnValues_.Contains(fovColor))
        SetColor(source->Color());
    if (source->footerOwnValues_.Contains(fovFont))
        SetFont(*source->Font());
    SetEndEllipsis(source->EndEllipsis());
    SetValueType(source->ValueType());
    SetFieldName(source->FieldName());
    SetValue(source->Value());
    SetWordWrap(source->WordWrap());
    SetDisplayFormat(source->DisplayFormat());
    SetToolTips(source->ToolTips());
}

TPersistent* TColumnFootersEh::GetOwner() const {
    return &column_;
}

const TPropertyList& TColumnFooterEh::Published() {
    using F = TColumnFooterEh;
    static const std::vector<std::string> alignments{"taLeftJustify", "taRightJustify", "taCenter"};
    static const TPropertyList list =
        TPublish<F>(TCollectionItem::Published())
            .Enum("Alignment", &F::Alignment, &F::SetAlignment, alignments)
            .StoredWhen([](const F& f) {
                return f.FooterOwnValues().Contains(fovAlignment) && f.Alignment() != f.FallbackAlignment();
            })
            .Integer("Color", &F::Color, &F::SetColor)
            .StoredWhen([](const F& f) {
                return f.FooterOwnValues().Contains(fovColor) && f.Color() != f.FallbackColor();
            })
            .String("DisplayFormat", &F::DisplayFormat, &F::SetDisplayFormat)
            .Boolean("EndEllipsis", &F::EndEllipsis, &F::SetEndEllipsis)
            .Default(false)
            .String("FieldName", &F::FieldName, &F::SetFieldName)
            .Object("Font", &F::Font)
            .StoredWhen([](const F& f) { return f.FooterOwnValues().Contains(fovFont); })
            // A false set under defaults of true is written too, so it survives a save.
            .Boolean("ToolTips", &F::ToolTips, &F::SetToolTips)
            .StoredWhen([](const F& f) {
                return f.FooterOwnValues().Contains(fovToolTips) && (f.ToolTips() || f.FallbackToolTips());
            })
            .String("Value", &F::Value, &F::SetValue)
            .Enum("ValueType", &F::ValueType, &F::SetValueType,
                  {"fvtNon", "fvtSum", "fvtAvg", "fvtCount", "fvtFieldValue", "fvtStaticText"})
            .Default(fvtNon)
            .Boolean("WordWrap", &F::WordWrap, &F::SetWordWrap)
            .Default(false);
    return list;
}

TColumnFooterEh* TColumnEh::FooterAt(int Index) const {
    if (Index < Footers()->Count())
        return static_cast<TColumnFooterEh*>(Footers()->Items(Index));
    return Footer();
}

void TColumnEh::BindFooterSums() {
    static_cast<TColumnFooterEh*>(Footer())->BindSum();
    for (int i = 0; i < Footers()->Count(); ++i)
        static_cast<TColumnFooterEh*>(Footers()->Items(i))->BindSum();
}

std::unique_ptr<TColumnFooterEh> TColumnEh::NewFooter() {
    return TColumnFooterEh::CreateForColumn(*this);
}

std::unique_ptr<TCollection> TColumnEh::NewFooters() {
    return std::make_unique<TColumnFootersEh>(*this, ItemClass<TColumnFooterEh>());
}
