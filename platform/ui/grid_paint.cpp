// Painting the grid: the lines of the four regions (fixed corner, fixed rows, fixed columns, the
// scrolling cells), then every cell shown through DrawCell with its state, then the room left over.
#include "platform/ui/edge_drawing.h"
#include "platform/ui/grid.h"

void TCustomGrid::Paint() {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const TGridAxisDrawInfo& h = info.Horz;
    const TGridAxisDrawInfo& v = info.Vert;
    bool fixedHorz = options_.Contains(goFixedHorzLine);
    bool fixedVert = options_.Contains(goFixedVertLine);
    if (h.EffectiveLineWidth > 0 || v.EffectiveLineWidth > 0) {
        // Grey lines on a grey grid would not show.
        TColor lineColor = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
        DrawLines(info, fixedHorz, fixedVert, {0, 0}, {0, 0, h.FixedBoundary, v.FixedBoundary}, clBlack,
                  fixedColor_);
        DrawLines(info, fixedHorz, fixedVert, {LeftCol(), 0},
                  {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, clBlack, fixedColor_);
        DrawLines(info, fixedHorz, fixedVert, {0, TopRow()},
                  {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, clBlack, fixedColor_);
        DrawLines(info, options_.Contains(goHorzLine), options_.Contains(goVertLine), {LeftCol(), TopRow()},
                  {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, lineColor, Color());
    }
    DrawCells(info, {0, 0}, {0, 0, h.FixedBoundary, v.FixedBoundary}, fixedColor_, {gdFixed});
    DrawCells(info, {LeftCol(), 0}, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, fixedColor_,
              {gdFixed});
    DrawCells(info, {0, TopRow()}, {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, fixedColor_,
              {gdFixed});
    DrawCells(info, {LeftCol(), TopRow()}, {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary},
              Color(), {});
    TCanvas& canvas = *Canvas();
    if (options_.Contains(goRowSelect) && defaultDrawing_ && Focused()) {
        TRect focus = GridRectToScreenRect(Selection(), false);
        DrawFocusRect(canvas.Handle(), &focus);
    }
    canvas.Brush()->SetColor(Color());
    if (h.GridBoundary < h.GridExtent)
        canvas.FillRect({h.GridBoundary, 0, h.GridExtent, v.GridBoundary});
    if (v.GridBoundary < v.GridExtent)
        canvas.FillRect({0, v.GridBoundary, h.GridExtent, v.GridExtent});
}

// The line after each cell of a region: in LineColor where its option draws lines, else in the
// region's background.
void TCustomGrid::DrawLines(const TGridDrawInfo& DrawInfo, bool DoHorz, bool DoVert, TGridCoord Start,
                            TRect Bounds, TColor LineColor, TColor OffColor) {
    TCanvas& canvas = *Canvas();
    if (int width = DrawInfo.Horz.EffectiveLineWidth; width > 0) {
        canvas.Brush()->SetColor(DoVert ? LineColor : OffColor);
        int x = Bounds.Left;
        for (int col = Start.X; col < ColCount() && x < Bounds.Right; ++col) {
            int extent = colWidths_[static_cast<std::size_t>(col)];
            if (extent < 0)
                continue;
            x += extent;
            canvas.FillRect(IntersectRect({x, Bounds.Top, x + width, Bounds.Bottom}, Bounds));
            x += width;
        }
    }
    if (int width = DrawInfo.Vert.EffectiveLineWidth; width > 0) {
        canvas.Brush()->SetColor(DoHorz ? LineColor : OffColor);
        int y = Bounds.Top;
        for (int row = Start.Y; row < RowCount() && y < Bounds.Bottom; ++row) {
            int extent = rowHeights_[static_cast<std::size_t>(row)];
            if (extent < 0)
                continue;
            y += extent;
            canvas.FillRect(IntersectRect({Bounds.Left, y, Bounds.Right, y + width}, Bounds));
            y += width;
        }
    }
}

void TCustomGrid::DrawCells(const TGridDrawInfo& DrawInfo, TGridCoord Start, TRect Bounds, TColor AColor,
                            TGridDrawState Include) {
    TCanvas& canvas = *Canvas();
    TRect clip = canvas.ClipRect();
    TGridRect sel = Selection();
    bool focused = IsActiveControl();
    bool designing = ComponentState().Contains(csDesigning);
    int y = Bounds.Top;
    for (int row = Start.Y; row < RowCount() && y < Bounds.Bottom; ++row) {
        int height = rowHeights_[static_cast<std::size_t>(row)];
        if (height < 0)
            continue;
        int x = Bounds.Left;
        for (int col = Start.X; col < ColCount() && x < Bounds.Right; ++col) {
            int width = colWidths_[static_cast<std::size_t>(col)];
            if (width < 0)
                continue;
            TRect where{x, y, x + width, y + height};
            x += width + DrawInfo.Horz.EffectiveLineWidth;
            if (where.IsEmpty() || IntersectRect(where, clip).IsEmpty())
                continue;
            TGridDrawState state = Include;
            if (focused && row == Row() && col == Col())
                state.Include(gdFocused);
            if (sel.Contains(col, row))
                state.Include(gdSelected);
            // The open editor covers the current cell.
            if (state.Contains(gdFocused) && options_.Contains(goEditing) && editorMode_ && !designing)
                continue;
            if (defaultDrawing_ || designing) {
                canvas.Font()->Assign(*Font());
                bool highlight =
                    state.Contains(gdSelected) &&
                    (!state.Contains(gdFocused) ||
                     (options_ * TGridOptions{goDrawFocusSelected, goRowSelect}) != TGridOptions{});
                if (highlight) {
                    canvas.Brush()->SetColor(clHighlight);
                    canvas.Font()->SetColor(clHighlightText);
                } else {
                    canvas.Brush()->SetColor(AColor);
                }
                canvas.FillRect(where);
            }
            DrawCell(col, row, where, state);
            if (defaultDrawing_ && !designing && state.Contains(gdFocused) &&
                !(options_.Contains(goEditing) && options_.Contains(goAlwaysShowEditor)) &&
                !options_.Contains(goRowSelect))
                DrawFocusRect(canvas.Handle(), &where);
        }
        y += height + DrawInfo.Vert.EffectiveLineWidth;
    }
}
