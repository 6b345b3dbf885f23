#pragma once
// TColumnFooterEh: a grid column's footer cell, showing nothing, a sum, an average or a count kept
// by the grid's sum list, a field's value or a fixed text. Its look falls back on the column's
// field, the grid's footer font and colour and the grid's column defaults until the user sets it.
// TColumnFootersEh holds the footers of a column for grids with several footer rows.
#include <memory>
#include <string>

#include "platform/rtl/alignment.h"
#include "platform/rtl/collection.h"
#include "platform/rtl/set.h"
#include "platform/ui/colors.h"

class TColumnEh;
class TCustomDBGridEh;
class TDBSum;
class TFont;

enum TFooterValueType { fvtNon, fvtSum, fvtAvg, fvtCount, fvtFieldValue, fvtStaticText };
enum TColumnFooterValueEh { fovAlignment, fovFont, fovColor, fovToolTips };
using TColumnFooterValuesEh = TSet<TColumnFooterValueEh>;

class TColumnFooterEh : public TCollectionItem {
  public:
    // An item of a column's Footers.
    explicit TColumnFooterEh(TCollection& Collection);
    // A column's single Footer.
    static std::unique_ptr<TColumnFooterEh> CreateForColumn(TColumnEh& Column);
    ~TColumnFooterEh() override;
    std::string ClassName() const override { return "TColumnFooterEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    void Assign(const TPersistent& Source) override;

    // The class's one new virtual operation: forget every value the user set.
    virtual void ResetToDefaults();

    TColumnEh* Column() const { return column_; }
    // Connects the footer to the grid's sum list as its value type asks.
    void BindSum();
    // The item of the grid's sum list the footer reads; nullptr when it has none.
    TDBSum* SumItem() const;

    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    TColor Color() const;
    void SetColor(TColor Value);
    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const std::string& Value);
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool Value);
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& Value);
    TFont* Font() const;
    void SetFont(const TFont& Value);
    bool ToolTips() const;
    void SetToolTips(bool Value);
    const std::string& Value() const { return value_; }
    void SetValue(const std::string& Value);
    TFooterValueType ValueType() const { return valueType_; }
    void SetValueType(TFooterValueType Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);

    // Which of the values with a fallback the user set.
    TColumnFooterValuesEh FooterOwnValues() const { return footerOwnValues_; }

    // What the values with a fallback answer while the user has not set them.
    TAlignment FallbackAlignment() const;
    TColor FallbackColor() const;
    const TFont* FallbackFont() const;
    bool FallbackToolTips() const;

  private:
    struct TForColumn {};
    TColumnFooterEh(TForColumn, TColumnEh& Column);
    void MakeFont();
    void SyncDefaultFont() const;
    void FontChanged();
    TCustomDBGridEh* Grid() const;
    void ColumnChanged(bool AllItems) const;
    void RepaintFooters() const;
    void FreeSumItem();

    TColumnEh* column_ = nullptr;
    std::unique_ptr<TFont> font_;
    mutable bool copyingFont_ = false;
    // The sum list's item, found by its id: the list may have replaced its items meanwhile.
    int sumItemId_ = -1;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clWindow;
    std::string displayFormat_;
    bool endEllipsis_ = false;
    std::string fieldName_;
    bool toolTips_ = false;
    std::string value_;
    TFooterValueType valueType_ = fvtNon;
    bool wordWrap_ = false;
    TColumnFooterValuesEh footerOwnValues_;
};

class TColumnFootersEh : public TCollection {
  public:
    TColumnFootersEh(TColumnEh& Column, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass)), column_(Column) {}
    std::string ClassName() const override { return "TColumnFootersEh"; }
    TPersistent* GetOwner() const override;
    TColumnEh& Column() const { return column_; }
    TColumnFooterEh* FooterItem(int Index) const { return static_cast<TColumnFooterEh*>(Items(Index)); }

  private:
    TColumnEh& column_;
};
