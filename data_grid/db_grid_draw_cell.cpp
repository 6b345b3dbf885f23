// DrawCell: every cell by its kind. The indicator column shows the row state glyphs; the title,
// filter, data, filler and footer cells are drawn by their own parts. Framed cells are drawn inside
// their 3-D frame, which is painted last.
#include "data_grid/db_grid_draw_cell.h"
#include "data_grid/active_record_keeper.h"
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/grid_cell_type.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/db/dataset.h"
#include "platform/ui/canvas.h"
#include "platform/ui/image_list.h"
#include "platform/ui/themes.h"

namespace {

// The glyph of the current row's indicator: -1 for none.
int IndicatorGlyph(const TDataSet* DataSet, bool Selected, bool Searching) {
    if (DataSet == nullptr)
        return -1;
    switch (DataSet->State()) {
        case dsEdit:
            return 1;
        case dsInsert:
            return 2;
        case dsBrowse:
            return Selected ? 5 : Searching ? 6 : 0;
        default:
            return 0;
    }
}

}  // namespace

void PaintFixedBackground(TCanvas& Canvas, const TRect& Drawn, const TRect* ThemedArea, bool Pressed) {
    if (ThemedArea == nullptr) {
        Canvas.FillRect(Drawn);
        return;
    }
    // The face covers the frame's ring too: themed cells get no 3-D frame of their own. Its rounded
    // corners show the cell's colour, not what the last paint left there.
    Canvas.FillRect(*ThemedArea);
    const TThemedElementDetails face{teButton, BP_PUSHBUTTON, Pressed ? TS_PRESSED : TS_NORMAL};
    ThemeServices().DrawElement(Canvas.Handle(), face, *ThemedArea);
}

bool TCustomDBGridEh::UseThemedFixedCells() const {
    return ThemeServices().ThemesEnabled() && !flat_ && extOptions_.Contains(gxoFixed3DEh) &&
           options_.Contains(gdoColLinesEh) && options_.Contains(gdoRowLinesEh);
}

void TCustomDBGridEh::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
    if (ARect.IsEmpty())
        return;
    TCanvas* canvas = Canvas();
    if (ComponentState().Contains(csLoading)) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ARect);
        return;
    }
    TCellDrawEh cell;
    cell.ACol = ACol;
    cell.ARow = ARow;
    cell.State = AState;
    cell.Canvas = canvas;
    cell.Framed = CellHas3DFrame(ACol, ARow, AState);
    cell.Rect = ARect;
    cell.Full = ARect;
    cell.Themed = cell.Framed && AState.Contains(gdFixed) && UseThemedFixedCells();
    if (cell.Framed)
        cell.Rect = {ARect.Left + 1, ARect.Top + 1, ARect.Right - 1, ARect.Bottom - 1};
    cell.MarginX = cell.Framed ? 1 : 2;
    cell.MarginY = cell.MarginX - (flat_ ? 1 : 0);
    cell.CellType = GetCellType(ACol, ARow, cell.AreaCol, cell.AreaRow);
    const std::uint16_t vert = CellVertArea(cell.CellType);
    if (CellHorzArea(cell.CellType) == gctIndicatorEh) {
        DrawIndicatorCell(cell);
    } else {
        if (columns_ != nullptr && cell.AreaCol >= 0 && cell.AreaCol < columns_->Count())
            cell.Column = dynamic_cast<TColumnEh*>(columns_->Items(cell.AreaCol));
        if (cell.Column == nullptr)
            return;
        const bool titleCell = AState.Contains(gdFixed) && ARow < TopDataOffset();
        canvas->Font()->Assign(titleCell ? *cell.Column->Title()->Font() : *cell.Column->Font());
        canvas->Brush()->SetColor(titleCell ? cell.Column->Title()->Color() : cell.Column->Color());
        if (vert == gctTitleRowEh) {
            if (useMultiTitle_)
                DrawMultiTitleCell(cell);
            else
                DrawTitleCell(cell);
        } else if (vert == gctSubTitleRowEh || ARow < TopDataOffset()) {
            if (cell.Themed) {
                const TRect face = MirroredRect(cell.Full);
                PaintFixedBackground(*canvas, MirroredRect(cell.Rect), &face, false);
            }
            bool highlighted = IsCellInSelection(ACol, ARow, std::string(), cell.AreaCol);
            DrawFixedCell(ACol, ARow, highlighted, AState, cell.Rect, cell.CellType);
            cell.Highlighted = highlighted;
        } else {
            DrawDataAreaCell(cell);
        }
    }
    if (cell.Framed && !UseThemedFixedCells()) {
        Paint3DFrame(canvas, ARect, true, true, cell.Highlighted, cell.Pressed);
    }
}

void TCustomDBGridEh::DrawIndicatorCell(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    const std::uint16_t vert = CellVertArea(Cell.CellType);
    TColor background = footerRowCount_ > 0 && !extOptions_.Contains(gxoFrozen3DEh) && vert == gctFillerRowEh
                            ? Color()
                            : FixedColor();
    canvas.Font()->Assign(*Font());
    bool selected = false;
    bool activeRow = false;
    TDataSet* dataSet = dataLink_->DataSet();
    if (dataLink_->Active()) {
        const bool linkRow = vert == gctDataRowEh && Cell.AreaRow < dataLink_->RecordCount();
        const bool dataRow = linkRow || (footerRowCount_ == 0 && Cell.ARow >= TopDataOffset());
        if (linkRow) {
            ActiveRecordKeeper keeper(*dataLink_);
            activeRow = Cell.AreaRow == dataLink_->ActiveRecord();
            dataLink_->SetActiveRecord(Cell.AreaRow);
            if (options_.Contains(gdoMultiSelectEh))
                selected = IsCellInSelection(Cell.ACol, Cell.ARow, dataSet->GetBookmark(), -1);
        } else if (!dataRow) {
            selected = selection_ != nullptr && selection_->Kind() == gskAllEh;
        }
        if (selected)
            GetHighlightColors(Cell.ACol, Cell.ARow, canvas.Font(), background, true, Cell.State,
                               Cell.CellType);
    }
    Cell.Highlighted = selected;
    canvas.Brush()->SetColor(background);
    const TRect face = MirroredRect(Cell.Full);
    PaintFixedBackground(canvas, MirroredRect(Cell.Rect), Cell.Themed ? &face : nullptr, false);
    if (!activeRow)
        return;
    indicatorActiveRow_ = Cell.ARow;
    // Only the current row shows a state glyph; other selected rows show their highlight alone.
    const int glyph = IndicatorGlyph(dataSet, selected, InplaceSearching());
    TDBGridEhUnit* unit = DBGridEhUnit();
    if (glyph < 0 || unit == nullptr || glyph >= unit->Indicators().Count())
        return;
    TImageList& images = unit->Indicators();
    const int x = Cell.Rect.Right - Cell.MarginX - images.Width();
    const int y = (Cell.Rect.Top + Cell.Rect.Bottom - images.Height()) / 2;
    const TRect where = MirroredRect({x, y, x + images.Width(), y + images.Height()});
    images.Draw(&canvas, where.Left, where.Top, glyph);
}
