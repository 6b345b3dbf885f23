#include "data_grid/column_def_values.h"

#include "data_grid/db_grid.h"
#include "platform/rtl/published_properties.h"

namespace {

const std::vector<std::string> kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kLayouts{"tlTop", "tlCenter", "tlBottom"};
const std::vector<std::string> kOrientations{"tohHorizontal", "tohVertical"};

// The general rule of a value with a fallback: the same value already set by the user changes
// nothing; anything else is stored and marked as the user's.
template <class V>
bool SetOwn(TTitleDefOwnValuesEh& Own, TColumnTitleDefValueEh Flag, V& Stored, V Value) {
    if (Own.Contains(Flag) && Stored == Value)
        return false;
    Stored = Value;
    Own.Include(Flag);
    return true;
}

}  // namespace

TPersistent* TColumnTitleDefValuesEh::GetOwner() const {
    return &owner_;
}

TAlignment TColumnTitleDefValuesEh::FallbackAlignment() const {
    const TCustomDBGridEh* grid = owner_.Grid();
    return grid != nullptr && grid->UseMultiTitle() ? taCenter : taLeftJustify;
}

TColor TColumnTitleDefValuesEh::FallbackColor() const {
    const TCustomDBGridEh* grid = owner_.Grid();
    return grid != nullptr ? grid->FixedColor() : clBtnFace;
}

TAlignment TColumnTitleDefValuesEh::Alignment() const {
    return titleDefOwnValues_.Contains(tdovAlignment) ? alignment_ : FallbackAlignment();
}

void TColumnTitleDefValuesEh::SetAlignment(TAlignment Value) {
    if (SetOwn(titleDefOwnValues_, tdovAlignment, alignment_, Value))
        owner_.RelayoutGrid();
}

TColor TColumnTitleDefValuesEh::Color() const {
    return titleDefOwnValues_.Contains(tdovColor) ? color_ : FallbackColor();
}

void TColumnTitleDefValuesEh::SetColor(TColor Value) {
    if (SetOwn(titleDefOwnValues_, tdovColor, color_, Value))
        owner_.RepaintGrid();
}

void TColumnTitleDefValuesEh::SetEndEllipsis(bool Value) {
    if (Value == endEllipsis_)
        return;
    endEllipsis_ = Value;
    owner_.RepaintGrid();
}

void TColumnTitleDefValuesEh::SetTitleButton(bool Value) {
    if (Value == titleButton_)
        return;
    titleButton_ = Value;
    owner_.RepaintGrid();
}

void TColumnTitleDefValuesEh::SetOrientation(TTextOrientationEh Value) {
    if (Value == orientation_)
        return;
    orientation_ = Value;
    owner_.RelayoutGrid();
}

void TColumnTitleDefValuesEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TColumnTitleDefValuesEh*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source->titleDefOwnValues_.Contains(tdovAlignment))
        SetAlignment(source->Alignment());
    if (source->titleDefOwnValues_.Contains(tdovColor))
        SetColor(source->Color());
    SetEndEllipsis(source->EndEllipsis());
    SetTitleButton(source->titleButton_);
    toolTips_ = source->toolTips_;
    SetOrientation(source->Orientation());
}

const TPropertyList& TColumnTitleDefValuesEh::Published() {
    using T = TColumnTitleDefValuesEh;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published())
            .Enum("Alignment", &T::Alignment, &T::SetAlignment, kAlignments)
            .StoredWhen([](const T& t) {
                return t.TitleDefOwnValues().Contains(tdovAlignment) &&
                       t.Alignment() != t.FallbackAlignment();
            })
            .Integer("Color", &T::Color, &T::SetColor)
            .StoredWhen([](const T& t) {
                return t.TitleDefOwnValues().Contains(tdovColor) && t.Color() != t.FallbackColor();
            })
            .Boolean("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis)
            .Default(false)
            .Enum("Orientation", &T::Orientation, &T::SetOrientation, kOrientations)
            .Default(tohHorizontal)
            .Boolean("TitleButton", &T::TitleButton, &T::SetTitleButton)
            .Default(false)
            .Boolean("ToolTips", &T::ToolTips, &T::SetToolTips)
            .Default(false);
    return list;
}

TPersistent* TColumnFooterDefValuesEh::GetOwner() const {
    return &owner_;
}

void TColumnFooterDefValuesEh::Assign(const TPersistent& Source) {
    if (const auto* source = dynamic_cast<const TColumnFooterDefValuesEh*>(&Source))
        toolTips_ = source->toolTips_;
    else
        TPersistent::Assign(Source);
}

const TPropertyList& TColumnFooterDefValuesEh::Published() {
    using T = TColumnFooterDefValuesEh;
    static const TPropertyList list = TPublish<T>(TPersistent::Published())
                                          .Boolean("ToolTips", &T::ToolTips, &T::SetToolTips)
                                          .Default(false);
    return list;
}

TColumnDefValuesEh::TColumnDefValuesEh(TCustomDBGridEh* Grid)
    : grid_(Grid),
      title_(std::make_unique<TColumnTitleDefValuesEh>(*this)),
      footer_(std::make_unique<TColumnFooterDefValuesEh>(*this)) {}

TColumnDefValuesEh::~TColumnDefValuesEh() = default;

TPersistent* TColumnDefValuesEh::GetOwner() const {
    return grid_;
}

void TColumnDefValuesEh::Assign(const TPersistent& Source) {
    const auto* source = dynamic_cast<const TColumnDefValuesEh*>(&Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetTitle(*source->Title());
    SetAlwaysShowEditButton(source->AlwaysShowEditButton());
    SetEndEllipsis(source->EndEllipsis());
    SetAutoDropDown(source->AutoDropDown());
    SetDblClickNextVal(source->DblClickNextVal());
    SetToolTips(source->ToolTips());
    SetDropDownSizing(source->DropDownSizing());
    SetDropDownShowTitles(source->DropDownShowTitles());
}

void TColumnDefValuesEh::RepaintGrid() const {
    if (grid_ != nullptr)
        grid_->Invalidate();
}

void TColumnDefValuesEh::RelayoutGrid() const {
    if (grid_ != nullptr)
        grid_->RefreshLayout();
}

void TColumnDefValuesEh::SetAlwaysShowEditButton(bool Value) {
    if (Value == alwaysShowEditButton_)
        return;
    alwaysShowEditButton_ = Value;
    RepaintGrid();
}

void TColumnDefValuesEh::SetEndEllipsis(bool Value) {
    if (Value == endEllipsis_)
        return;
    endEllipsis_ = Value;
    RepaintGrid();
}

void TColumnDefValuesEh::SetHighlightRequired(bool Value) {
    if (Value == highlightRequired_)
        return;
    highlightRequired_ = Value;
    RepaintGrid();
}

void TColumnDefValuesEh::SetLayout(TTextLayout Value) {
    if (Value == layout_)
        return;
    layout_ = Value;
    RepaintGrid();
}

const TPropertyList& TDBGridEhColumnDefValuesEh::Published() {
    using T = TDBGridEhColumnDefValuesEh;
    static const TPropertyList list =
        TPublish<T>(TPersistent::Published())
            .Boolean("AlwaysShowEditButton", &T::AlwaysShowEditButton, &T::SetAlwaysShowEditButton)
            .Default(false)
            .Boolean("AutoDropDown", &T::AutoDropDown, &T::SetAutoDropDown)
            .Default(false)
            .Boolean("DblClickNextVal", &T::DblClickNextVal, &T::SetDblClickNextVal)
            .Default(false)
            .Boolean("DropDownShowTitles", &T::DropDownShowTitles, &T::SetDropDownShowTitles)
            .Default(false)
            .Boolean("DropDownSizing", &T::DropDownSizing, &T::SetDropDownSizing)
            .Default(false)
            .Boolean("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis)
            .Default(false)
            .Object("Footer", &T::Footer)
            .Boolean("HighlightRequired", &T::HighlightRequired, &T::SetHighlightRequired)
            .Default(false)
            .Enum("Layout", &T::Layout, &T::SetLayout, kLayouts)
            .Default(tlTop)
            .Object("Title", &T::Title)
            .Boolean("ToolTips", &T::ToolTips, &T::SetToolTips)
            .Default(false);
    return list;
}

const TPropertyList& TDBLookupGridColumnDefValuesEh::Published() {
    using T = TDBLookupGridColumnDefValuesEh;
    static const TPropertyList list = TPublish<T>(TPersistent::Published())
                                          .Boolean("EndEllipsis", &T::EndEllipsis, &T::SetEndEllipsis)
                                          .Default(false)
                                          .Object("Title", &T::Title)
                                          .Boolean("ToolTips", &T::ToolTips, &T::SetToolTips)
                                          .Default(false);
    return list;
}
