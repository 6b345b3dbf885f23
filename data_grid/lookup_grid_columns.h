#pragma once
// The lookup grid's column class and the cell each column has in the special row.
#include <memory>
#include <string>

#include "data_grid/column.h"
#include "platform/ui/colors.h"

class TDBLookupGridEh;
class TDBLookupGridColumnEh;
class TFont;

// A column's cell in the special row: text, colour and font follow the special row until set.
class TGridColumnSpecCellEh : public TPersistent {
  public:
    explicit TGridColumnSpecCellEh(TDBLookupGridColumnEh* Column);
    ~TGridColumnSpecCellEh() override;
    std::string ClassName() const override { return "TGridColumnSpecCellEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    TPersistent* GetOwner() const override;
    void Assign(const TPersistent& Source) override;

    std::string Text() const;
    void SetText(const std::string& Value);
    TColor Color() const;
    void SetColor(TColor Value);
    TFont* Font() const;
    void SetFont(const TFont& Value);
    bool TextOwn() const { return textOwn_; }
    bool ColorOwn() const { return colorOwn_; }
    bool FontOwn() const { return fontOwn_; }

  private:
    TDBLookupGridEh* Grid() const;
    TDBLookupGridColumnEh* column_;
    std::unique_ptr<TFont> font_;
    std::string text_;
    TColor color_ = 0;
    bool textOwn_ = false;
    bool colorOwn_ = false;
    bool fontOwn_ = false;
    bool refreshingFont_ = false;
};

class TDBLookupGridColumnEh : public TColumnEh {
  public:
    explicit TDBLookupGridColumnEh(TCollection& Collection);
    ~TDBLookupGridColumnEh() override;
    std::string ClassName() const override { return "TDBLookupGridColumnEh"; }
    // The key and pick lists are stored as the grid column's are.
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    TDBLookupGridEh* LookupGrid() const;
    TGridColumnSpecCellEh* SpecCell() const { return specCell_.get(); }
    void SetSpecCell(const TGridColumnSpecCellEh& Value) { specCell_->Assign(Value); }
    void SetIndex(int Value) override;
    void SetWidth(int Value) override;

  private:
    void MoveAsUserColumn(int Value);
    std::unique_ptr<TGridColumnSpecCellEh> specCell_;
};
