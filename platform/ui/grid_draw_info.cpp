// The grid's geometry: what each axis shows, where a cell lies and which cell lies under a point.
#include <algorithm>
#include <optional>

#include "platform/ui/grid.h"

int TCustomGrid::AxisExtent(const std::vector<int>& extents, int index) const {
    return extents[static_cast<std::size_t>(index)];
}

void TCustomGrid::FillAxis(TGridAxisDrawInfo& Axis, bool columns) const {
    TGridOptions lines =
        columns ? TGridOptions{goFixedVertLine, goVertLine} : TGridOptions{goFixedHorzLine, goHorzLine};
    Axis.EffectiveLineWidth = (options_ * lines) == TGridOptions{} ? 0 : gridLineWidth_;
    const std::vector<int>& extents = columns ? colWidths_ : rowHeights_;
    Axis.GetExtent = [this, &extents](int index) { return AxisExtent(extents, index); };
    Axis.FixedCellCount = columns ? fixedCols_ : fixedRows_;
    Axis.FirstGridCell = columns ? topLeft_.X : topLeft_.Y;
    Axis.GridCellCount = columns ? ColCount() : RowCount();
    Axis.FixedBoundary = 0;
    for (int i = 0; i < Axis.FixedCellCount; ++i) Axis.FixedBoundary += Axis.Span(i);
}

void TCustomGrid::CalcAxis(TGridAxisDrawInfo& Axis, int UseExtent) const {
    Axis.GridExtent = UseExtent;
    Axis.GridBoundary = Axis.FixedBoundary;
    Axis.FullVisBoundary = Axis.FixedBoundary;
    Axis.LastFullVisibleCell = Axis.FirstGridCell;
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
        Axis.GridBoundary += Axis.Span(i);
        // The last cell counts as whole when only its line is cut off.
        if (Axis.GridBoundary > Axis.GridExtent + Axis.EffectiveLineWidth) {
            Axis.GridBoundary = Axis.GridExtent;
            break;
        }
        Axis.LastFullVisibleCell = i;
        Axis.FullVisBoundary = Axis.GridBoundary;
    }
    Axis.GridBoundary = std::min(Axis.GridBoundary, Axis.GridExtent);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) const {
    CalcDrawInfoXY(DrawInfo, ClientWidth(), ClientHeight());
}

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight) const {
    CalcFixedInfo(DrawInfo);
    CalcAxis(DrawInfo.Horz, UseWidth);
    CalcAxis(DrawInfo.Vert, UseHeight);
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) const {
    FillAxis(DrawInfo.Horz, true);
    FillAxis(DrawInfo.Vert, false);
}

namespace {

// Where a cell starts on an axis shown, or nothing when it is scrolled out of view.
std::optional<int> CellStart(const TGridAxisDrawInfo& axis, int index) {
    if (index < axis.FixedCellCount) {
        int pos = 0;
        for (int i = 0; i < index; ++i) pos += axis.Span(i);
        return pos;
    }
    if (index < axis.FirstGridCell)
        return std::nullopt;
    int pos = axis.FixedBoundary;
    for (int i = axis.FirstGridCell; i < index && pos < axis.GridExtent; ++i) pos += axis.Span(i);
    return pos;
}

// The pixels of cells first to last on one axis: fixed cells first, then those shown of the
// scrolling ones; false when none of them shows.
bool AxisRange(const TGridAxisDrawInfo& axis, int first, int last, int& start, int& end) {
    // Cells outside the axis have no pixels: a box reaching past either end covers those that exist.
    first = std::max(first, 0);
    last = std::min(last, axis.GridCellCount - 1);
    if (first >= axis.FixedCellCount && first < axis.FirstGridCell)
        first = axis.FirstGridCell;
    if (last >= axis.FixedCellCount && last < axis.FirstGridCell)
        last = axis.FixedCellCount - 1;
    if (first > last)
        return false;
    std::optional<int> from = CellStart(axis, first);
    std::optional<int> to = CellStart(axis, last);
    if (!from || !to)
        return false;
    start = *from;
    end = *to + std::max(axis.GetExtent(last), 0);
    int limit = last < axis.FixedCellCount ? axis.FixedBoundary : axis.GridBoundary;
    end = std::min(end, limit);
    return start < end;
}

int CoordOnAxis(const TGridAxisDrawInfo& axis, int pos) {
    if (pos < 0)
        return -1;
    int line = 0;
    if (pos < axis.FixedBoundary) {
        for (int i = 0; i < axis.FixedCellCount; ++i) {
            line += axis.Span(i);
            if (pos < line)
                return i;
        }
        return -1;
    }
    if (pos >= axis.GridBoundary)
        return -1;
    line = axis.FixedBoundary;
    for (int i = axis.FirstGridCell; i < axis.GridCellCount; ++i) {
        line += axis.Span(i);
        if (pos < line)
            return i;
    }
    return -1;
}

// The first cell from which cells first..last fit into the scrolling part of the axis.
int FirstToShow(const TGridAxisDrawInfo& axis, int last) {
    int room = axis.GridExtent - axis.FixedBoundary + axis.EffectiveLineWidth;
    int first = last;
    int used = axis.Span(last);
    while (first > axis.FixedCellCount && used + axis.Span(first - 1) <= room) {
        --first;
        used += axis.Span(first);
    }
    return first;
}

}  // namespace

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom) const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TRect r;
    if (!AxisRange(info.Horz, std::min(ALeft, ARight), std::max(ALeft, ARight), r.Left, r.Right) ||
        !AxisRange(info.Vert, std::min(ATop, ABottom), std::max(ATop, ABottom), r.Top, r.Bottom))
        return {};
    return r;
}

TRect TCustomGrid::GridRectToScreenRect(const TGridRect& ARect, bool IncludeLine) const {
    TRect r = BoxRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    if (IncludeLine && !r.IsEmpty()) {
        r.Right += gridLineWidth_;
        r.Bottom += gridLineWidth_;
    }
    return r;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    return BoxRect(ACol, ARow, ACol, ARow);
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo) const {
    return {CoordOnAxis(DrawInfo.Horz, X), CoordOnAxis(DrawInfo.Vert, Y)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord c = CalcCoordFromPoint(X, Y, info);
    if (c.X < 0)
        c.Y = -1;
    else if (c.Y < 0)
        c.X = -1;
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridDrawInfo& DrawInfo) const {
    return {FirstToShow(DrawInfo.Horz, ColCount() - 1), FirstToShow(DrawInfo.Vert, RowCount() - 1)};
}

int TCustomGrid::VisibleColCount() const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Horz.LastFullVisibleCell - LeftCol() + 1;
}

int TCustomGrid::VisibleRowCount() const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Vert.LastFullVisibleCell - TopRow() + 1;
}

void TCustomGrid::ClampInView(TGridCoord Coord) {
    if (!HandleAllocated() && ClientWidth() == 0)
        return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord topLeft = topLeft_;
    auto clampAxis = [](const TGridAxisDrawInfo& axis, int cell, int& first) {
        if (cell < axis.FixedCellCount)
            return;
        if (cell < first)
            first = cell;
        else if (cell > axis.LastFullVisibleCell)
            first = std::max(first, FirstToShow(axis, cell));
    };
    clampAxis(info.Horz, Coord.X, topLeft.X);
    clampAxis(info.Vert, Coord.Y, topLeft.Y);
    MoveTopLeft(topLeft.X, topLeft.Y);
}
