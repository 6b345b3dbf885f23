#pragma once
// TSpecRowEh: the special first row of lookup drop-downs, standing for no choice or for a fixed key
// value. Its font and colour follow the owner control's until they are set.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/string_list.h"
#include "platform/rtl/variant.h"
#include "platform/ui/colors.h"
#include "platform/ui/font.h"
#include "platform/ui/shortcuts.h"

// Splits a ';'-separated row of cells: a cell is a double-quoted string (a doubled quote stands for
// one) or the run up to the next ';' or control character; spaces belong to the cell, control
// characters between cells are skipped and an empty cell between two ';' counts.
std::vector<std::string> ParseCellsText(std::string_view text);

class TSpecRowEh : public TPersistent {
  public:
    explicit TSpecRowEh(TPersistent* owner);
    ~TSpecRowEh() override;
    std::string ClassName() const override { return "TSpecRowEh"; }
    TPersistent* GetOwner() const override { return owner_; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    const std::string& CellsText() const { return cellsText_; }
    void SetCellsText(const std::string& value);
    // The cell's text; '' outside the cells.
    std::string CellTextAt(int index) const;
    int CellCount() const { return cells_->Count(); }

    // The own colour once set, else the owner control's.
    TColor Color() const;
    void SetColor(TColor value);
    bool ColorAssigned() const { return colorAssigned_; }
    // The own font once changed, else a copy of the owner control's.
    TFont* Font() const;
    void SetFont(const TFont& value) { font_->Assign(value); }
    bool FontAssigned() const { return fontAssigned_; }

    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool ShowIfNotInKeyList() const { return showIfNotInKeyList_; }
    void SetShowIfNotInKeyList(bool value);
    const Variant& Value() const { return value_; }
    void SetValue(const Variant& value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void Assign(const TPersistent& source) override;
    void NotifyChanged();

    std::function<void(TSpecRowEh* Sender)> OnChanged;

  protected:
    // Value, stored when not Null.
    void DefineProperties(TFiler& filer) override;

  private:
    void FontChanged();
    TPersistent* owner_;
    std::string cellsText_;
    std::unique_ptr<TStringList> cells_;
    std::unique_ptr<TFont> font_;
    TColor color_ = clWindow;
    TShortCut shortCut_;
    bool showIfNotInKeyList_ = true;
    Variant value_ = Variant::Null();
    bool visible_ = false;
    bool fontAssigned_ = false;
    bool colorAssigned_ = false;
    bool refreshingFont_ = false;
    int updateCount_ = 0;
};
