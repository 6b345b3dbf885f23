// The colours of highlighted and selected cells, and which cells a selection holds. A grid with a
// style lets the style answer; without one the classic system colours apply.
#include <algorithm>

#include "data_grid/db_grid.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_selection.h"
#include "data_grid/grid_style.h"
#include "platform/db/dataset.h"
#include "platform/ui/font.h"

namespace {
// The background and text of a highlighted indicator, title or filter cell.
constexpr TColor FixedHighlightBackground = 0x00404040;

bool FixedAreaHighlight(std::uint16_t CellType) {
    const std::uint16_t vert = CellVertArea(CellType);
    if (CellHorzArea(CellType) == gctIndicatorEh)
        return vert != gctFillerRowEh;
    return vert == gctTitleRowEh || vert == gctSubTitleRowEh;
}
}  // namespace

TColor TCustomDBGridEh::LightenColor(TColor Color, int Divisor) {
    const TColor rgb = ColorToRGB(Color);
    auto lighten = [Divisor](int c) { return std::min(255, c + (Divisor != 0 ? c / Divisor : 0)); };
    return RGB(lighten(GetRValue(rgb)), lighten(GetGValue(rgb)), lighten(GetBValue(rgb)));
}

bool TCustomDBGridEh::GetHighlightColors(int ACol, int ARow, TFont* AFont, TColor& Background,
                                         bool Highlighted, TGridDrawState State, std::uint16_t CellType) {
    if (style_ != nullptr)
        return style_->GetHighlightColors(this, ACol, ARow, GridColToDataCol(ACol), ARow - TopDataOffset(),
                                          State, Highlighted, CellType, Background, AFont);
    if (!Highlighted)
        return false;
    if (FixedAreaHighlight(CellType)) {
        Background = FixedHighlightBackground;
        AFont->SetColor(clWhite);
    } else if (HasFocusWithin()) {
        Background = clHighlight;
        AFont->SetColor(clHighlightText);
    } else {
        Background = clBtnFace;
    }
    return true;
}

bool TCustomDBGridEh::GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont,
                                        TColor& Background, TGridDrawState& State) {
    if (style_ != nullptr)
        return style_->GetDataCellColors(this, ACol, ARow, DataCol, DataRow, State, Background, AFont);
    TDataSet* dataSet = dataLink_->DataSet();
    const bool selected = dataLink_->Active() && dataSet != nullptr && selection_ != nullptr &&
                          selection_->CellIsSelected(DataCol, dataSet->GetBookmark());
    const bool rowSelect = options_.Contains(gdoRowSelectEh);
    const bool alwaysShow = options_.Contains(gdoAlwaysShowSelectionEh);
    const bool onCurrentRow = ARow == Row();
    bool focusHighlight = false;
    bool highlighted = selected;
    if (!selected) {
        focusHighlight = Focused() && extOptions_.Contains(gxoHighlightFocusEh);
        if (extOptions_.Contains(gxoRowHighlightEh) && onCurrentRow && selection_ != nullptr &&
            selection_->Kind() == gskNoneEh && ACol != Col()) {
            focusHighlight = true;
            State.Include(gdSelected);
        }
        highlighted =
            (State.Contains(gdSelected) || (onCurrentRow && rowSelect)) && (alwaysShow || focusHighlight);
        // While the layout is rebuilt only a row selection shows.
        if (layoutLock_ > 0 && !rowSelect)
            highlighted = false;
    }
    if (!highlighted)
        return false;
    if (HasFocusWithin()) {
        Background = clHighlight;
        AFont->SetColor(clHighlightText);
    } else if (onCurrentRow && (ACol == Col() || rowSelect) && (focusHighlight || alwaysShow)) {
        Background = clBtnShadow;
        AFont->SetColor(clHighlightText);
    } else {
        Background = clBtnFace;
    }
    return true;
}

bool TCustomDBGridEh::IsCellInSelection(int ACol, int ARow, const std::string& Bookmark, int DataCol) {
    if (selection_ == nullptr)
        return false;
    const TGridSelectionKindEh kind = selection_->Kind();
    if (kind == gskAllEh)
        return true;
    const TGridRect area = DataCellArea();
    const bool dataRow = ARow >= area.Top && ARow <= area.Bottom;
    if (ACol < IndicatorOffset()) {
        return dataRow && kind == gskRowsEh && selectedRows_ != nullptr && selectedRows_->Contains(Bookmark);
    }
    if (!dataRow) {
        TDBGridEhSelection* selection = selection_.get();
        return kind == gskColumnsEh && selection != nullptr && columns_ != nullptr && DataCol >= 0 &&
               DataCol < columns_->Count() && selection->Columns().Contains(columns_->Items(DataCol));
    }
    return selection_->CellIsSelected(DataCol, Bookmark);
}
