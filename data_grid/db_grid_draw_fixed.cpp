// Fixed cells above the data (the filter row and others) and the footer cells below it.
#include "data_controls/edit_button_metrics.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/column_footer.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid_draw_cell.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_text.h"
#include "platform/ui/canvas.h"
#include "platform/ui/pen.h"
#include "platform/ui/system_metrics.h"

namespace {
// The filter row writes its conditions in blue on the fixed colour made lighter.
constexpr TColor FilterTextColor = 0x00FF0000;
constexpr int FilterLightenDivisor = 8;
}  // namespace

void TCustomDBGridEh::DrawFixedCell(int ACol, int ARow, bool& Highlighted, TGridDrawState AState, TRect ARect,
                                    std::uint16_t CellType) {
    const int dataCol = GridColToDataCol(ACol);
    TColumnEh* column = nullptr;
    if (columns_ != nullptr && dataCol >= 0 && dataCol < columns_->Count())
        column = dynamic_cast<TColumnEh*>(columns_->Items(dataCol));
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (SubTitleRowCount() > 0 && ARow == TopDataOffset() - 1 && filter != nullptr && filter->Visible()) {
        DrawFilterCell(ACol, ARow, Highlighted, AState, ARect, CellType);
        return;
    }
    TCanvas& canvas = *Canvas();
    TColor background = CellVertArea(CellType) == gctTitleRowEh && column != nullptr
                            ? column->Title()->Color()
                            : FixedColor();
    GetHighlightColors(ACol, ARow, canvas.Font(), background, Highlighted, AState, CellType);
    canvas.Brush()->SetColor(background);
    if (!UseThemedFixedCells())
        canvas.FillRect(MirroredRect(ARect));
}

void TCustomDBGridEh::DrawFilterCell(int ACol, int ARow, bool& Highlighted, TGridDrawState AState,
                                     TRect ARect, std::uint16_t CellType) {
    TCanvas& canvas = *Canvas();
    auto* column = dynamic_cast<TColumnEh*>(columns_->Items(GridColToDataCol(ACol)));
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    canvas.Pen()->SetColor(clBlack);
    const int buttonWidth = (flat_ ? ComputeFlatButtonWidth() + 1 : GetSystemMetrics(SM_CXVSCROLL));
    const bool hasButton = filter->HasDropDownButton();
    TRect textRect = ARect;
    if (hasButton)
        textRect.Right -= buttonWidth;
    canvas.Font()->Assign(*Font());
    canvas.Font()->SetColor(FilterTextColor);
    TColor background = LightenColor(FixedColor(), FilterLightenDivisor);
    GetHighlightColors(ACol, ARow, canvas.Font(), background, Highlighted, AState, CellType);
    canvas.Brush()->SetColor(background);
    DrawGridText(&canvas, MirroredRect(textRect), true, 1, 1, filter->FilterText(), taLeftJustify,
                 column->Layout(), false, false, 0, 0, UseRightToLeftReading());
    canvas.Pen()->SetColor(background);
    if (!hasButton)
        return;
    const int buttonHeight = EditButtonHeight() > 0 ? EditButtonHeight() : ARect.Height();
    TRect button{textRect.Right, ARect.Top, ARect.Right, std::min(ARect.Bottom, ARect.Top + buttonHeight)};
    if (flat_) {
        canvas.FillRect(MirroredRect({button.Left, ARect.Top, button.Left + 1, ARect.Bottom}));
        button.Left += 1;
    }
    PaintCellButton(column, &canvas, nullptr, background, true, flat_, false, false, ARect, button,
                    ebsDropDownEh);
    if (button.Bottom < ARect.Bottom) {
        canvas.Brush()->SetColor(background);
        canvas.FillRect(MirroredRect({button.Left, button.Bottom, ARect.Right, ARect.Bottom}));
    }
}

void TCustomDBGridEh::DrawFooterCell(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    TColumnEh& column = *Cell.Column;
    const int footerIndex = Cell.AreaRow - 1;
    auto* footer = dynamic_cast<TColumnFooterEh*>(column.FooterAt(footerIndex));
    if (footer == nullptr) {
        canvas.Brush()->SetColor(footerColor_);
        canvas.FillRect(MirroredRect(Cell.Rect));
        return;
    }
    canvas.Font()->Assign(*footer->Font());
    canvas.Brush()->SetColor(footer->Color());
    if (defaultDrawing_) {
        TColor background = footer->Color();
        TAlignment alignment = footer->Alignment();
        std::string text = GetFooterText(Cell.AreaCol, footerIndex);
        GetFooterParams(Cell.AreaCol, footerIndex, &column, canvas.Font(), background, alignment, Cell.State,
                        text);
        Cell.Highlighted = IsCellInSelection(Cell.ACol, Cell.ARow, std::string(), Cell.AreaCol);
        GetHighlightColors(Cell.ACol, Cell.ARow, canvas.Font(), background, Cell.Highlighted, Cell.State,
                           Cell.CellType);
        canvas.Brush()->SetColor(background);
        DrawGridText(&canvas, MirroredRect(Cell.Rect), true, Cell.MarginX, Cell.MarginY, text, alignment,
                     column.Layout(), footer->WordWrap() && WordWrapRoom(), footer->EndEllipsis(), 0, 0,
                     UseRightToLeftReading());
    }
    if (OnFooterCellDraw)
        OnFooterCellDraw(this, Cell.AreaCol, footerIndex, &column, Cell.Rect, Cell.State);
}
