#pragma once
// The values a grid's columns, titles and footers fall back on while the user has not set their
// own: one object per grid, with its title and footer parts.
#include <memory>
#include <string>

#include "data_grid/grid_parts.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/component.h"
#include "platform/rtl/set.h"
#include "platform/ui/colors.h"

class TCustomDBGridEh;
class TColumnDefValuesEh;

enum TColumnTitleDefValueEh { tdovColor, tdovAlignment };
using TTitleDefOwnValuesEh = TSet<TColumnTitleDefValueEh>;

class TColumnTitleDefValuesEh : public TPersistent {
  public:
    explicit TColumnTitleDefValuesEh(TColumnDefValuesEh& Owner) : owner_(Owner) {}
    std::string ClassName() const override { return "TColumnTitleDefValuesEh"; }
    TPersistent* GetOwner() const override;
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void Assign(const TPersistent& Source) override;

    // Centred under multi-line titles, else left, until set.
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    // The grid's fixed colour until set.
    TColor Color() const;
    void SetColor(TColor Value);
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool Value);
    TTextOrientationEh Orientation() const { return orientation_; }
    void SetOrientation(TTextOrientationEh Value);
    bool TitleButton() const { return titleButton_; }
    void SetTitleButton(bool Value);
    bool ToolTips() const { return toolTips_; }
    void SetToolTips(bool Value) { toolTips_ = Value; }
    // Which of Alignment and Color the user set.
    TTitleDefOwnValuesEh TitleDefOwnValues() const { return titleDefOwnValues_; }

    // What Alignment and Color answer without the user's value.
    TAlignment FallbackAlignment() const;
    TColor FallbackColor() const;

  private:
    TColumnDefValuesEh& owner_;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clBtnFace;
    bool endEllipsis_ = false;
    TTextOrientationEh orientation_ = tohHorizontal;
    bool titleButton_ = false;
    bool toolTips_ = false;
    TTitleDefOwnValuesEh titleDefOwnValues_;
};

class TColumnFooterDefValuesEh : public TPersistent {
  public:
    explicit TColumnFooterDefValuesEh(TColumnDefValuesEh& Owner) : owner_(Owner) {}
    std::string ClassName() const override { return "TColumnFooterDefValuesEh"; }
    TPersistent* GetOwner() const override;
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void Assign(const TPersistent& Source) override;
    bool ToolTips() const { return toolTips_; }
    void SetToolTips(bool Value) { toolTips_ = Value; }

  private:
    TColumnDefValuesEh& owner_;
    bool toolTips_ = false;
};

class TColumnDefValuesEh : public TPersistent, public IGridColumnDefValuesEh {
  public:
    explicit TColumnDefValuesEh(TCustomDBGridEh* Grid);
    ~TColumnDefValuesEh() override;
    std::string ClassName() const override { return "TColumnDefValuesEh"; }
    TPersistent* GetOwner() const override;
    // Title and the column values; Footer, Layout and HighlightRequired keep theirs.
    void Assign(const TPersistent& Source) override;

    TCustomDBGridEh* Grid() const { return grid_; }
    TColumnTitleDefValuesEh* Title() const { return title_.get(); }
    void SetTitle(const TColumnTitleDefValuesEh& Value) { title_->Assign(Value); }
    TColumnFooterDefValuesEh* Footer() const { return footer_.get(); }
    void SetFooter(const TColumnFooterDefValuesEh& Value) { footer_->Assign(Value); }

    bool AlwaysShowEditButton() const override { return alwaysShowEditButton_; }
    void SetAlwaysShowEditButton(bool Value);
    bool AutoDropDown() const override { return autoDropDown_; }
    void SetAutoDropDown(bool Value) { autoDropDown_ = Value; }
    bool DblClickNextVal() const override { return dblClickNextVal_; }
    void SetDblClickNextVal(bool Value) { dblClickNextVal_ = Value; }
    bool DropDownShowTitles() const override { return dropDownShowTitles_; }
    void SetDropDownShowTitles(bool Value) { dropDownShowTitles_ = Value; }
    bool DropDownSizing() const override { return dropDownSizing_; }
    void SetDropDownSizing(bool Value) { dropDownSizing_ = Value; }
    bool EndEllipsis() const override { return endEllipsis_; }
    void SetEndEllipsis(bool Value);
    bool HighlightRequired() const override { return highlightRequired_; }
    void SetHighlightRequired(bool Value);
    TTextLayout Layout() const override { return layout_; }
    void SetLayout(TTextLayout Value);
    bool ToolTips() const override { return toolTips_; }
    void SetToolTips(bool Value) { toolTips_ = Value; }

    // What the column titles read.
    TAlignment TitleAlignment() const override { return title_->Alignment(); }
    TColor TitleColor() const override { return title_->Color(); }
    bool TitleEndEllipsis() const override { return title_->EndEllipsis(); }
    TTextOrientationEh TitleOrientation() const override { return title_->Orientation(); }
    bool TitleButton() const override { return title_->TitleButton(); }
    bool TitleToolTips() const override { return title_->ToolTips(); }
    // What the footers read.
    bool FooterToolTips() const { return footer_->ToolTips(); }

    void RepaintGrid() const;
    void RelayoutGrid() const;

  private:
    TCustomDBGridEh* grid_;
    std::unique_ptr<TColumnTitleDefValuesEh> title_;
    std::unique_ptr<TColumnFooterDefValuesEh> footer_;
    bool alwaysShowEditButton_ = false;
    bool autoDropDown_ = false;
    bool dblClickNextVal_ = false;
    bool dropDownShowTitles_ = false;
    bool dropDownSizing_ = false;
    bool endEllipsis_ = false;
    bool highlightRequired_ = false;
    TTextLayout layout_ = tlTop;
    bool toolTips_ = false;
};

// The data grid's defaults: every value is stored.
class TDBGridEhColumnDefValuesEh : public TColumnDefValuesEh {
  public:
    using TColumnDefValuesEh::TColumnDefValuesEh;
    std::string ClassName() const override { return "TDBGridEhColumnDefValuesEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};

// The lookup grid's defaults: only EndEllipsis, Title and ToolTips are stored.
class TDBLookupGridColumnDefValuesEh : public TColumnDefValuesEh {
  public:
    using TColumnDefValuesEh::TColumnDefValuesEh;
    std::string ClassName() const override { return "TDBLookupGridColumnDefValuesEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};
