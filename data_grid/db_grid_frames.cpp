// Which cells carry a 3-D frame, the frame itself and the buttons painted inside cells.
#include "data_controls/button_bitmap_cache.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/db_grid.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"

bool TCustomDBGridEh::CellHas3DFrame(int ACol, int ARow, TGridDrawState AState) {
    const int footers = footerRowCount_;
    const int dataRow = ARow - TopDataOffset();
    const int firstFooter = RowCount() - footers - TopDataOffset();
    // Without footer rows the grid has no filler row: the last data row is a data row like any other.
    const bool filler = footers > 0 && dataRow + 1 == firstFooter;
    const bool footer = footers > 0 && dataRow >= firstFooter;
    const bool fixed = AState.Contains(gdFixed);
    const bool indicator = ACol < IndicatorOffset();
    if (dataRow == -1 && !indicator && SubTitleRowCount() > 0 && columns_ != nullptr) {
        const int dataCol = GridColToDataCol(ACol);
        if (dataCol >= 0 && dataCol < columns_->Count())
            if (auto* column = dynamic_cast<TColumnEh*>(columns_->Items(dataCol)))
                if (TSTColumnFilterEh* filter = ColumnFilterOf(column);
                    filter != nullptr && filter->Visible())
                    return false;
    }
    const TDBGridEhExtOptions ext = extOptions_;
    return (fixed && ext.Contains(gxoFixed3DEh) && !filler && (indicator || dataRow < 0)) ||
           (ext.Contains(gxoFooter3DEh) && footer) || (ext.Contains(gxoData3DEh) && !fixed && !footer) ||
           (ext.Contains(gxoFixed3DEh) && (ext.Contains(gxoData3DEh) || ext.Contains(gxoFrozen3DEh)) &&
            footers > 0 && indicator && filler) ||
           (ext.Contains(gxoFrozen3DEh) && fixed && !indicator && dataRow >= 0);
}

void TCustomDBGridEh::Paint3DFrame(TCanvas* ACanvas, TRect ARect, bool DrawLeft, bool DrawTop,
                                   bool Highlighted, bool Pressed) {
    const UINT edge = Highlighted || Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
    UINT sides = BF_RIGHT | BF_BOTTOM;
    if (DrawLeft)
        sides |= BF_LEFT;
    if (DrawTop)
        sides |= BF_TOP;
    TRect rect = MirroredRect(ARect);
    if (flat_) {
        // The flat look keeps the bottom line of the cell's own colour and sits the edge above it.
        ACanvas->FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        rect.Bottom -= 1;
    }
    DrawEdge(ACanvas->Handle(), &rect, edge, sides);
}

void TCustomDBGridEh::PaintCellButton(TColumnEh* /*Column*/, TCanvas* ACanvas, TBitmap* Glyph, TColor AColor,
                                      bool Active, bool IsFlat, bool Pressed, bool Hot, TRect ARect,
                                      TRect ButtonRect, TEditButtonStyleEh Style) {
    HDC dc = ACanvas->Handle();
    const bool clip = ButtonRect.Left < ARect.Left;
    int saved = 0;
    const TRect cell = MirroredRect(ARect);
    TRect button = MirroredRect(ButtonRect);
    if (clip) {
        saved = SaveDC(dc);
        IntersectClipRect(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
    }
    if (IsFlat) {
        // The one-pixel column left of a flat button.
        const int x = mirrored_ ? button.Right : button.Left - 1;
        ACanvas->Brush()->SetColor(Pressed ? clBtnFace : AColor);
        ACanvas->FillRect({x, button.Top, x + 1, button.Bottom});
    }
    if (Style == ebsGlyphEh) {
        if (IsFlat) {
            ACanvas->Brush()->SetColor(AColor);
            ACanvas->FrameRect(button);
            ACanvas->Brush()->SetColor(clBtnFace);
            ACanvas->FillRect({button.Left + 1, button.Top + 1, button.Right - 1, button.Bottom - 1});
        } else {
            DrawEdge(dc, &button, BDR_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        }
        if (Glyph != nullptr && !Glyph->Empty()) {
            const int inner = SaveDC(dc);
            IntersectClipRect(dc, button.Left, button.Top, button.Right, button.Bottom);
            ACanvas->Draw(button.Left + (button.Width() - Glyph->Width()) / 2,
                          button.Top + (button.Height() - Glyph->Height()) / 2, Glyph);
            RestoreDC(dc, inner);
        }
    } else {
        PaintEditButton(dc, button, AColor, 0, Active, Hot, IsFlat, Pressed ? 1 : 0, DrawStyleOf(Style));
    }
    if (clip)
        RestoreDC(dc, saved);
}
