// Title cells: the caption or the title image, the sort marker with its place in the sort order,
// pressed titles, and the group captions of multi-line titles.
#include <string>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid_draw_cell.h"
#include "data_grid/grid_text.h"
#include "data_grid/grid_unit.h"
#include "platform/db/field.h"
#include "platform/ui/canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/image_list.h"

namespace {

// Room the sort marker takes at the right of the title's text.
constexpr int SortMarkerRoom = 16;

struct TSortMarkPlanEh {
    int Glyph = -1;  // -1: no glyph
    std::string Number;
    int NumberWidth = 0;
};

int MarkerGlyph(TSortMarkerEh Marker) {
    return Marker == smDownEh ? 0 : Marker == smUpEh ? 1 : -1;
}

}  // namespace

void TCustomDBGridEh::DrawTitleCell(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    TColumnEh& column = *Cell.Column;
    TColumnTitleEh& title = *column.Title();
    Cell.Pressed = PressedTitleColumn() == Cell.ACol && TitlePressShown();
    std::string caption = title.Caption();
    int imageOffset = 0;
    const bool hasImage = titleImages_ != nullptr && title.ImageIndex() != -1;
    if (hasImage) {
        caption.clear();
        imageOffset = titleImages_->Width();
    }
    TSortMarkerEh marker = column.SortMarker();
    TColor background = title.Color();
    if (column.Field() != nullptr && OnTitleCellParams)
        OnTitleCellParams(this, &column, Cell.Pressed, marker, background, canvas.Font());
    const bool sized = titlePixelHeight_ > 0 || titleLineCount_ > 0;
    const int pressOffset = Cell.Pressed ? (sized ? 2 : 1) : 0;
    TRect textRect = Cell.Rect;
    textRect.Top += pressOffset;

    TSortMarkPlanEh mark;
    mark.Glyph = MarkerGlyph(marker);
    if (mark.Glyph >= 0) {
        textRect.Right -= SortMarkerRoom;
        if (sortMarkedColumns_.size() > 1) {
            mark.Number = std::to_string(column.SortIndex());
            TFont saved;
            saved.Assign(*canvas.Font());
            canvas.Font()->Assign(SortMarkerNumberFont());
            mark.NumberWidth = canvas.TextWidth(mark.Number);
            canvas.Font()->Assign(saved);
            textRect.Right -= mark.NumberWidth;
        }
        // A narrow title keeps the number before the glyph, and drops both when narrower still.
        if (textRect.Width() < imageOffset) {
            mark.Glyph = -1;
            textRect.Right += SortMarkerRoom;
            if (textRect.Width() < imageOffset) {
                textRect.Right += mark.NumberWidth;
                mark.Number.clear();
                mark.NumberWidth = 0;
            }
        }
    }

    Cell.Highlighted = IsCellInSelection(Cell.ACol, Cell.ARow, std::string(), Cell.AreaCol);
    GetHighlightColors(Cell.ACol, Cell.ARow, canvas.Font(), background, Cell.Highlighted, Cell.State,
                       Cell.CellType);
    canvas.Brush()->SetColor(background);
    const TRect face = MirroredRect(Cell.Full);
    PaintFixedBackground(canvas, MirroredRect(Cell.Rect), Cell.Themed ? &face : nullptr, Cell.Pressed);
    const bool fill = !Cell.Themed;

    const bool rtl = UseRightToLeftReading();
    const TRect drawRect = MirroredRect(textRect);
    if (title.Orientation() == tohVertical) {
        DrawGridTextVertical(&canvas, drawRect, fill, Cell.MarginX, Cell.MarginY, caption, title.Alignment(),
                             tlBottom, title.EndEllipsis(), false);
    } else if (sized) {
        DrawGridText(&canvas, drawRect, fill, Cell.MarginX + pressOffset, 0, caption, title.Alignment(),
                     tlCenter, true, title.EndEllipsis(), 0, 0, rtl);
    } else {
        DrawGridText(&canvas, drawRect, fill, Cell.MarginX + pressOffset, Cell.MarginY + pressOffset, caption,
                     title.Alignment(), tlTop, false, title.EndEllipsis(), 0, 0, rtl);
    }
    if (hasImage)
        DrawImageClipped(titleImages_, nullptr, &canvas, drawRect, title.ImageIndex(), pressOffset,
                         title.Alignment());

    TDBGridEhUnit* unit = DBGridEhUnit();
    if (unit == nullptr || (mark.Glyph < 0 && mark.Number.empty()))
        return;
    TImageList& markers = unit->SortMarkers();
    const int glyphWidth = mark.Glyph >= 0 ? markers.Width() : 0;
    const int x = Cell.Rect.Right - mark.NumberWidth - 2 - glyphWidth + pressOffset;
    const int y = (Cell.Rect.Top + Cell.Rect.Bottom - markers.Height()) / 2 + pressOffset;
    if (mark.Glyph >= 0 && mark.Glyph < markers.Count()) {
        const TRect where = MirroredRect({x, y, x + glyphWidth, y + markers.Height()});
        markers.Draw(&canvas, where.Left, where.Top, mark.Glyph);
    }
    if (!mark.Number.empty()) {
        canvas.Font()->Assign(SortMarkerNumberFont());
        if (Cell.Highlighted)
            canvas.Font()->SetColor(clWhite);
        const int numberHeight = canvas.TextHeight(mark.Number);
        const TRect where = MirroredRect({x + glyphWidth, 0, x + glyphWidth + mark.NumberWidth, 0});
        const TBrushStyle style = canvas.Brush()->Style();
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(where.Left, (Cell.Rect.Top + Cell.Rect.Bottom - numberHeight) / 2 + pressOffset,
                       mark.Number);
        canvas.Brush()->SetStyle(style);
    }
    canvas.Font()->Assign(*titleFont_);
}

void TCustomDBGridEh::DrawMultiTitleCell(TCellDrawEh& Cell) {
    TCanvas& canvas = *Cell.Canvas;
    canvas.Font()->Assign(*titleFont_);
    TColor background = FixedColor();
    Cell.Highlighted = IsCellInSelection(Cell.ACol, Cell.ARow, std::string(), Cell.AreaCol);
    GetHighlightColors(Cell.ACol, Cell.ARow, canvas.Font(), background, Cell.Highlighted, Cell.State,
                       Cell.CellType);
    THeadTreeNode* leaf = Cell.AreaCol < static_cast<int>(leafColumns_.size())
                              ? leafColumns_[static_cast<std::size_t>(Cell.AreaCol)].FLeaf
                              : nullptr;
    canvas.Brush()->SetColor(background);
    canvas.FillRect(MirroredRect(Cell.Rect));
    if (leaf == nullptr)
        return;
    TRect textRect = Cell.Rect;
    textRect.Top = std::max(textRect.Top, Cell.Rect.Bottom - leaf->NodeHeight + 3);
    DrawGridText(&canvas, MirroredRect(textRect), true, Cell.MarginX, 0, leaf->Caption, taCenter, tlCenter,
                 true, Cell.Column->Title()->EndEllipsis(), 0, 0, UseRightToLeftReading());
    if (leaf->Parent != nullptr && leaf->Parent != headTree_.get())
        DrawTitleGroups(
            leaf, {Cell.Rect.Left, Cell.Rect.Bottom - leaf->NodeHeight, Cell.Rect.Right, Cell.Rect.Bottom},
            Cell.Column->Title()->EndEllipsis());
}

void TCustomDBGridEh::DrawTitleGroups(THeadTreeNode* Node, TRect ARect, bool EndEllipsis) {
    TCanvas& canvas = *Canvas();
    const int lineWidth = options_.Contains(gdoRowLinesEh) ? GridLineWidth() : 0;
    THeadTreeNode* child = Node;
    TRect childRect = ARect;
    while (child->Parent != nullptr && child->Parent != headTree_.get()) {
        THeadTreeNode* group = child->Parent;
        TRect groupRect;
        groupRect.Bottom = childRect.Top - lineWidth;
        groupRect.Top = groupRect.Bottom - group->NodeHeight;
        groupRect.Left = childRect.Left;
        for (THeadTreeNode* sibling = group->FirstChild; sibling != nullptr && sibling != child;
             sibling = sibling->NextInRing) {
            groupRect.Left -= sibling->NodeWidth + sibling->LineWidth;
            if (sibling->NextInRing == group->FirstChild)
                break;
        }
        groupRect.Right = groupRect.Left + group->NodeWidth;
        // Each title cell paints its own part of the group; the caption is centred on the whole group.
        TRect clipped =
            IntersectRect(groupRect, {ARect.Left, groupRect.Top, ARect.Right + 1, groupRect.Bottom});
        if (extOptions_.Contains(gxoFixed3DEh)) {
            clipped.Top += 1;
            clipped.Bottom -= 1;
        }
        if (!clipped.IsEmpty()) {
            const TRect part = MirroredRect(clipped);
            const int saved = SaveDC(canvas.Handle());
            IntersectClipRect(canvas.Handle(), part.Left, part.Top, part.Right, part.Bottom);
            canvas.Brush()->SetColor(FixedColor());
            DrawGridText(&canvas, MirroredRect(groupRect), true, 2, 0, group->Caption, taCenter, tlCenter,
                         true, EndEllipsis, 0, 0, UseRightToLeftReading());
            if (extOptions_.Contains(gxoFixed3DEh))
                Paint3DFrame(&canvas, groupRect, true, true, false, false);
            if (options_.Contains(gdoRowLinesEh)) {
                canvas.Brush()->SetColor(flat_ ? clBtnShadow : clBlack);
                canvas.FillRect(
                    MirroredRect({groupRect.Left, groupRect.Bottom, groupRect.Right, groupRect.Bottom + 1}));
            }
            RestoreDC(canvas.Handle(), saved);
        }
        child = group;
        childRect = {groupRect.Left, groupRect.Top, groupRect.Right, groupRect.Bottom};
    }
}
