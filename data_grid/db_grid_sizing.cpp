// Sizing columns by the mouse: the borders of frozen columns, which the base grid does not size,
// and the limits the grid puts on the base grid's own sizing.
#include <algorithm>

#include "data_grid/db_grid.h"

namespace {

// Pixels around a border that take the mouse when the line is thinner.
constexpr int kSizingZone = 7;

struct BorderZone {
    int back = 0;
    int range = 0;
    bool Contains(int Border, int X) const { return X >= Border - back && X < Border - back + range; }
};

BorderZone ZoneFor(int LineWidth) {
    if (LineWidth > kSizingZone - 1)
        return {0, LineWidth};
    return {(kSizingZone - LineWidth) / 2, std::max(LineWidth, kSizingZone)};
}

}  // namespace

bool TCustomDBGridEh::FrozenSizingHit(int X, int Y, int& Offset, int& Position, int& Column,
                                      TGridDragStateEh& State) {
    State = dgsNoneEh;
    TGridOptions options = TCustomGrid::Options();
    if (ComponentState().Contains(csDesigning))
        options = options + DesignOptionsBoost;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    if (!options.Contains(goColSizing) || Y < 0 || Y >= info.Vert.FixedBoundary)
        return false;
    if (UseRightToLeftAlignment())
        X = ClientWidth() - X;
    const BorderZone zone = ZoneFor(info.Horz.EffectiveLineWidth);
    int line = 0;
    for (int col = 0; col < indicatorOffset_; ++col) line += info.Horz.Span(col);
    int cut = -1;
    for (int col = indicatorOffset_; col < FixedCols(); ++col) {
        line += std::max(0, ColWidths(col));
        if (line > info.Horz.GridExtent) {
            cut = col;
            break;
        }
        if (zone.Contains(line, X)) {
            State = dgsSizingFrozenEh;
            Column = col;
            Position = line;
            Offset = line - X;
            return true;
        }
        line += info.Horz.EffectiveLineWidth;
    }
    // Frozen columns wider than the grid: their last one is sized at the client's edge.
    const int edge = ClientWidth();
    if (cut >= 0 && info.Horz.GridBoundary >= edge && X >= edge - zone.back && X <= edge) {
        State = dgsSizingFrozenEh;
        Column = cut;
        Position = edge;
        Offset = edge - X;
        return true;
    }
    return false;
}

void TCustomDBGridEh::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                      int& SizingOfs, const TGridDrawInfo& FixedInfo) {
    TCustomGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    if (State == gsColSizing) {
        Index = std::min(Index, ColCount() - 1);
        // One scrolling column wider than the room left: the border at the edge sizes that column.
        if (FixedInfo.Horz.LastFullVisibleCell < FixedInfo.Horz.FirstGridCell)
            Index = FixedInfo.Horz.FirstGridCell;
    }
    int indicator = 0;
    for (int col = 0; col < indicatorOffset_; ++col) indicator += FixedInfo.Horz.Span(col);
    if (State == gsRowSizing && X >= indicator)
        State = gsNormal;
}

TCustomDBGridEh::TSizingHitEh TCustomDBGridEh::SizingHitAt(int X, int Y) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TSizingHitEh hit;
    CalcSizingState(X, Y, hit.State, hit.Index, hit.Pos, hit.Ofs, info);
    return hit;
}
