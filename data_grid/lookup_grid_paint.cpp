// How the lookup grid shows its choice: the key's row highlighted with the focus frame on it, and
// the special row as a fixed row between the titles and the data.
#include "data_controls/spec_row.h"
#include "data_grid/columns.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/grid_text.h"
#include "data_grid/lookup_grid.h"
#include "data_grid/lookup_grid_columns.h"
#include "platform/db/dataset.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/label.h"

int TDBLookupGridEh::SubTitleRowCount() {
    return TCustomDBGridEh::SubTitleRowCount() + (specRow_ && specRow_->Visible() ? 1 : 0);
}

bool TDBLookupGridEh::CellHas3DFrame(int ACol, int ARow, TGridDrawState AState) {
    if (specRow_->Visible() && ARow + 1 == TopDataOffset())
        return false;
    return TCustomDBGridEh::CellHas3DFrame(ACol, ARow, AState);
}

bool TDBLookupGridEh::GetDataCellColors(int, int, int, int, TFont* AFont, TColor& Background,
                                        TGridDrawState&) {
    if (keyValue_.IsNull() || !ListDataLink()->Active() || LayoutLockCount() != 0 || keyFieldNames_.empty() ||
        !(CurrentListKey() == keyValue_))
        return false;
    Background = clHighlight;
    AFont->SetColor(clHighlightText);
    return true;
}

bool TDBLookupGridEh::ShowsRowFocusFrame() {
    return keyRowVisible_;
}

void TDBLookupGridEh::SpecRowChanged() {
    InvalidateList();
    const bool shown = specRow_->Visible();
    if (shown == specRowShown_)
        return;
    specRowShown_ = shown;
    // Shown or hidden, it stands for the key value or not from now on.
    RefreshSpecRowState();
    // The special row is a fixed row: the rows and the grid's height follow it.
    RefreshLayout();
    SetBounds(Left(), Top(), Width(), Height());
}

void TDBLookupGridEh::DrawFixedCell(int ACol, int ARow, bool& Highlighted, TGridDrawState AState, TRect ARect,
                                    std::uint16_t CellType) {
    if (!InSpecRow(ARow) || ACol < IndicatorOffset()) {
        TCustomDBGridEh::DrawFixedCell(ACol, ARow, Highlighted, AState, ARect, CellType);
        return;
    }
    TDBGridColumnsEh* columns = LookupColumns();
    const int index = ACol - IndicatorOffset();
    if (index >= columns->Count())
        return;
    auto* column = static_cast<TDBLookupGridColumnEh*>(columns->ColumnAt(index));
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*specRow_->Font());
    TAlignment alignment = column->Alignment();
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    canvas->Brush()->SetColor(column->SpecCell()->Color());
    if (specRowSelected_) {
        canvas->Font()->SetColor(clHighlightText);
        canvas->Brush()->SetColor(clHighlight);
    }
    DrawGridText(canvas, MirroredRect(ARect), true, 2, 1, column->SpecCell()->Text(), alignment, tlTop, false,
                 false, 0, 0, UseRightToLeftAlignment());
    if (!specRowSelected_)
        return;
    canvas->Font()->SetColor(clWindowText);
    canvas->Brush()->SetColor(clWindow);
    // The dotted frame goes round the whole row, but each cell inverts only its own part of it: a
    // cell painted later would otherwise invert the dots of the cells before it back again.
    const TRect frame = MirroredRect(BoxRect(FixedCols(), ARow, ColCount(), ARow));
    const TRect cell = MirroredRect(ARect);
    HDC dc = canvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
    DrawFocusRect(dc, &frame);
    RestoreDC(dc, saved);
}
