// Paint: the grid lines of each region as one PolyPolyline, the cells region by region, the room
// right of and below the cells, and the row focus frame; and the repainting of parts of the grid.
#include <vector>

#include "data_grid/db_grid.h"
#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/pen.h"
#include "platform/ui/window_update.h"

namespace {

// Pairs of points, one pair per line, drawn as one PolyPolyline.
class TLineBatchEh {
  public:
    void Add(TPoint From, TPoint To) {
        points_.push_back(From);
        points_.push_back(To);
        counts_.push_back(2);
    }
    void Draw(TCanvas& Canvas, TColor Color, int Width) {
        if (counts_.empty())
            return;
        Canvas.Pen()->SetColor(Color);
        Canvas.Pen()->SetWidth(Width);
        PolyPolyline(Canvas.Handle(), points_.data(), counts_.data(), static_cast<DWORD>(counts_.size()));
        points_.clear();
        counts_.clear();
    }

  private:
    std::vector<TPoint> points_;
    std::vector<DWORD> counts_;
};

// Where a buffered paint draws: the off-screen bitmap's pixels, clipped to the part being painted.
class TBufferTargetEh : public platform::ui::CanvasTarget {
  public:
    TBufferTargetEh(platform::ui::RasterImage& Image, const TRect& Clip) : image_(Image), clip_(Clip) {}
    platform::ui::RasterImage* Image() override { return &image_; }
    TPoint Origin() override { return {0, 0}; }
    platform::ui::Region Clip() override { return platform::ui::Region(clip_); }

  private:
    platform::ui::RasterImage& image_;
    TRect clip_;
};

struct TLineRegionEh {
    TGridCoord Start;
    TRect Bounds;
    bool Horz = false;
    bool Vert = false;
};

void THeadTreeUnpaint(THeadTreeNode* Node) {
    if (Node == nullptr)
        return;
    Node->Painted = false;
    THeadTreeNode* child = Node->FirstChild;
    while (child != nullptr) {
        THeadTreeUnpaint(child);
        child = child->NextInRing;
        if (child == Node->FirstChild)
            break;
    }
}

}  // namespace

TRect TCustomDBGridEh::MirroredRect(const TRect& ARect) const {
    if (!mirrored_)
        return ARect;
    const int width = ClientWidth();
    return {width - ARect.Right, ARect.Top, width - ARect.Left, ARect.Bottom};
}

void TCustomDBGridEh::MirrorForRightToLeft(bool On) {
    mirrored_ = On;
}

void TCustomDBGridEh::PaintGridLines(const TGridDrawInfoEh& Info) {
    const TGridAxisDrawInfoEh& h = Info.Horz;
    const TGridAxisDrawInfoEh& v = Info.Vert;
    const int lineWidth = std::max(h.EffectiveLineWidth, v.EffectiveLineWidth);
    if (lineWidth <= 0)
        return;
    TCanvas& canvas = *Canvas();
    const TColor fixedLine = flat_ || UseThemedFixedCells() ? clBtnShadow : clBlack;
    const TColor gridLine = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
    const bool footerLines = extOptions_.Contains(gxoFooter3DEh) || footerColor_ == clBtnFace;
    const int footerTop =
        footerLines && footerRowCount_ > 0 ? v.GridBoundary - v.FooterPixels : v.GridBoundary;
    const TGridOptions grid = TCustomGrid::Options();
    const bool fixedHorz = grid.Contains(goFixedHorzLine), fixedVert = grid.Contains(goFixedVertLine);
    const bool horz = grid.Contains(goHorzLine), vert = grid.Contains(goVertLine);
    const int frozenLeft = h.FixedBoundary - h.FrozenPixels;
    const int footerFirst = RowCount() - footerRowCount_;

    TLineBatchEh batch;
    auto collect = [&](const TLineRegionEh& region) {
        if (region.Vert && h.EffectiveLineWidth > 0) {
            int x = region.Bounds.Left;
            for (int col = region.Start.X; col < ColCount() && x < region.Bounds.Right; ++col) {
                const int extent = ColWidths(col);
                if (extent < 0)
                    continue;
                x += extent;
                const TRect line = MirroredRect({x, region.Bounds.Top, x + 1, region.Bounds.Bottom});
                batch.Add({line.Left, line.Top}, {line.Left, line.Bottom});
                x += h.EffectiveLineWidth;
            }
        }
        if (region.Horz && v.EffectiveLineWidth > 0) {
            int y = region.Bounds.Top;
            for (int row = region.Start.Y; row < RowCount() && y < region.Bounds.Bottom; ++row) {
                const int extent = RowHeights(row);
                if (extent < 0)
                    continue;
                y += extent;
                const TRect line = MirroredRect({region.Bounds.Left, y, region.Bounds.Right, y + 1});
                batch.Add({line.Left, y}, {line.Right, y});
                y += v.EffectiveLineWidth;
            }
        }
    };
    collect({{0, 0}, {0, 0, h.FixedBoundary, v.FixedBoundary}, fixedHorz, fixedVert});
    collect({{LeftCol(), 0}, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, fixedHorz, fixedVert});
    collect({{0, TopRow()}, {0, v.FixedBoundary, frozenLeft, footerTop}, fixedHorz, fixedVert});
    batch.Draw(canvas, fixedLine, lineWidth);
    if (frozenCols_ > 0 && !extOptions_.Contains(gxoFrozen3DEh)) {
        collect({{IndicatorOffset(), TopRow()},
                 {frozenLeft, v.FixedBoundary, h.FixedBoundary, footerTop},
                 horz,
                 vert});
        batch.Draw(canvas, gridLine, lineWidth);
    } else {
        collect({{IndicatorOffset(), TopRow()},
                 {frozenLeft, v.FixedBoundary, h.FixedBoundary, footerTop},
                 fixedHorz,
                 fixedVert});
        batch.Draw(canvas, fixedLine, lineWidth);
    }
    collect(
        {{LeftCol(), TopRow()}, {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, footerTop}, horz, vert});
    batch.Draw(canvas, gridLine, lineWidth);
    if (footerTop < v.GridBoundary) {
        collect({{0, footerFirst}, {0, footerTop, h.FixedBoundary, v.GridBoundary}, fixedHorz, fixedVert});
        collect({{LeftCol(), footerFirst},
                 {h.FixedBoundary, footerTop, h.GridBoundary, v.GridBoundary},
                 fixedHorz,
                 fixedVert});
        if (fixedHorz) {
            const TRect line = MirroredRect({0, footerTop - 1, h.GridBoundary, footerTop});
            batch.Add({line.Left, line.Top}, {line.Right, line.Top});
        }
        batch.Draw(canvas, fixedLine, lineWidth);
    }
}

void TCustomDBGridEh::PaintCellRegion(const TGridDrawInfoEh& Info, TGridCoord Start, TRect Bounds,
                                      TGridDrawState Include) {
    const TRect clip = Canvas()->ClipRect();
    const TGridRect selection = TCustomGrid::Selection();
    const bool active = IsActiveControl();
    const bool designing = ComponentState().Contains(csDesigning);
    const bool editing = TCustomGrid::Options().Contains(goEditing) && EditorMode() && !designing;
    int y = Bounds.Top;
    for (int row = Start.Y; row < RowCount() && y < Bounds.Bottom; ++row) {
        const int height = RowHeights(row);
        if (height < 0)
            continue;
        int x = Bounds.Left;
        for (int col = Start.X; col < ColCount() && x < Bounds.Right; ++col) {
            const int width = ColWidths(col);
            if (width < 0)
                continue;
            const TRect where{x, y, x + width, y + height};
            x += width + Info.Horz.EffectiveLineWidth;
            if (where.IsEmpty() || IntersectRect(MirroredRect(where), clip).IsEmpty())
                continue;
            TGridDrawState state = Include;
            if (active && row == Row() && col == Col())
                state.Include(gdFocused);
            if (selection.Contains(col, row))
                state.Include(gdSelected);
            // The open editor covers the current cell.
            if (state.Contains(gdFocused) && editing)
                continue;
            DrawCell(col, row, where, state);
        }
        y += height + Info.Vert.EffectiveLineWidth;
    }
}

void TCustomDBGridEh::Paint() {
    if (layoutRunning_)
        return;
    scrollWaitsForPaint_ = false;
    movedSincePaint_ = false;
    TGridDrawInfoEh info;
    CalcGridDrawInfo(info);
    const TGridAxisDrawInfoEh& h = info.Horz;
    const TGridAxisDrawInfoEh& v = info.Vert;
    MirrorForRightToLeft(UseRightToLeftAlignment());
    PaintGridLines(info);
    PaintCellRegion(info, {0, 0}, {0, 0, h.FixedBoundary, v.FixedBoundary}, {gdFixed});
    PaintCellRegion(info, {LeftCol(), 0}, {h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary}, {gdFixed});
    PaintCellRegion(info, {0, TopRow()}, {0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary}, {gdFixed});
    PaintCellRegion(info, {LeftCol(), TopRow()},
                    {h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary}, {});
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    if (h.GridBoundary < h.GridExtent)
        canvas.FillRect(MirroredRect({h.GridBoundary, 0, h.GridExtent, v.GridBoundary}));
    if (v.GridBoundary < v.GridExtent)
        canvas.FillRect(MirroredRect({0, v.GridBoundary, h.GridExtent, v.GridExtent}));
    if (useMultiTitle_)
        THeadTreeUnpaint(headTree_.get());
    if (ShowsRowFocusFrame() && (style_ == nullptr || style_->DrawFocusFrame())) {
        const TGridRect selection = TCustomGrid::Selection();
        const TRect left = CellRect(std::max(0, selection.Left - frozenCols_), selection.Top);
        const TRect right = CellRect(selection.Right, selection.Bottom);
        if (!left.IsEmpty() && !right.IsEmpty()) {
            const TRect frame = MirroredRect({left.Left, left.Top, right.Right, right.Bottom});
            canvas.Font()->SetColor(clWindowFrame);
            canvas.Brush()->SetColor(clWindow);
            DrawFocusRect(canvas.Handle(), &frame);
        }
    }
    MirrorForRightToLeft(false);
}

bool TCustomDBGridEh::NeedsBufferedPaint() {
    return UseThemedFixedCells();
}

// The cells cover the whole client area: the background is not erased first. Themed cells are
// painted whole into an off-screen bitmap and copied to the window at once.
void TCustomDBGridEh::PaintWindow(TCanvas& ACanvas) {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(*Font());
    canvas.Brush()->SetColor(Color());
    const TDBGridEhUnit* unit = DBGridEhUnit();
    if (!NeedsBufferedPaint() || (unit != nullptr && unit->NoBufferedPaint())) {
        Paint();
        return;
    }
    const TRect client = ClientRect();
    const TRect area = IntersectRect(ACanvas.ClipRect(), {0, 0, client.Width(), client.Height()});
    if (area.IsEmpty())
        return;
    TBitmap buffer;
    buffer.SetSize(client.Width(), client.Height());
    TBufferTargetEh target(buffer.Pixels(), area);
    if (!windowTarget_)
        windowTarget_ = std::make_shared<platform::ui::ControlCanvasTarget>(*this);
    canvas.SetTarget(&target);
    struct Restore {
        TCanvas& canvas;
        platform::ui::CanvasTarget* window;
        ~Restore() { canvas.SetTarget(window); }
    } restore{canvas, windowTarget_.get()};
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(area);
    Paint();
    BitBlt(ACanvas.Handle(), area.Left, area.Top, area.Width(), area.Height(), buffer.Canvas()->Handle(),
           area.Left, area.Top, SRCCOPY);
}

void TCustomDBGridEh::RepaintCell(int ACol, int ARow) {
    if (!HandleAllocated())
        return;
    InvalidateCell(ACol, ARow);
    if (options_.Contains(gdoRowLinesEh)) {
        const TRect cell = CellRect(ACol, ARow);
        const TRect above = MirroredRect({cell.Left, cell.Top - GridLineWidth(), cell.Right, cell.Top});
        if (!cell.IsEmpty())
            InvalidateRect(Handle(), &above, false);
    }
}

void TCustomDBGridEh::InvalidateFooters() {
    for (int row = RowCount() - footerRowCount_; footerRowCount_ > 0 && row < RowCount(); ++row)
        if (row >= 0)
            InvalidateRow(row);
}

void TCustomDBGridEh::InvalidateSelection() {
    if (selection_ != nullptr && selection_->Kind() == gskAllEh) {
        Invalidate();
    } else {
        TGridRect box = EmptyGridRectEh;
        if (selection_ != nullptr)
            box = selection_->Kind() == gskRowsEh && selectedRows_ != nullptr ? selectedRows_->AsGridRect()
                                                                              : selection_->AsGridRect();
        if (box != EmptyGridRectEh)
            InvalidateGridRect(box);
    }
    InvalidateGridRow(Row());
    selectionShownActive_ = HasFocusWithin();
}
