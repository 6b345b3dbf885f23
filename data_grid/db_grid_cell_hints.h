#pragma once
// Tool-tips: the hint of the title, data or footer cell under the pointer, its text shown in full
// over the cell, in the cell's font, when it does not fit. The grid owns one and reaches it from its
// hint messages (db_grid_hints.cpp).
#include <memory>
#include <string>

#include "platform/rtl/alignment.h"
#include "platform/ui/font.h"
#include "platform/ui/grid_types.h"
#include "platform/ui/types.h"

class TColumnEh;
class TCustomDBGridEh;
struct THintInfo;

class TGridCellHintsEh {
  public:
    explicit TGridCellHintsEh(TCustomDBGridEh& Grid) : grid_(Grid) {}
    // Fills Info for the cell under Info.CursorPos: its title's hint, or its text when cut short.
    void CellHint(THintInfo& Info);
    // Whether the cell at P (client) has tool-tips on: its hint shows without the hint pause.
    bool ToolTipCellAt(TPoint P) const;

  private:
    // A hint's content and where it goes, for one request.
    struct TCellHintEh {
        TRect Rect;
        int ColumnRight = 0;
        std::string Text;
        TAlignment Alignment = taLeftJustify;
        TFont Font;
        bool WordWrap = false;
        bool Vertical = false;
        bool Always = false;
        int LineSpacing = 0;
        int TextWidth = 0;
    };
    bool TitleHint(TColumnEh& Column, TGridCoord Cell, TPoint P, TCellHintEh& Hint) const;
    bool DataHint(TColumnEh& Column, int DataRow, TPoint P, TCellHintEh& Hint) const;
    bool FooterHint(TColumnEh& Column, int DataCol, int FooterRow, TCellHintEh& Hint) const;
    bool HintTextFits(TCellHintEh& Hint) const;
    void ShowCellHint(THintInfo& Info, const TCellHintEh& Hint);

    TCustomDBGridEh& grid_;
    // The font of the hint shown last, which the hint window reads through the hint's data.
    std::unique_ptr<TFont> hintFont_;
};
