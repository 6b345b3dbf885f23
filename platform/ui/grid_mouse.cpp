// The grid's mouse states: selecting cells, sizing columns and rows at their borders in the fixed
// cells, moving them by their fixed cells, and scrolling on a timer past an edge while selecting or
// moving.
#include "platform/rtl/scope_exit.h"
#include "platform/ui/grid.h"
#include "platform/ui/input.h"
#include "platform/ui/scroll_info.h"
#include "platform/ui/timers.h"

namespace {

constexpr UINT kScrollInterval = 60;
// Pixels around a border that take the mouse for sizing, when the line is thinner.
constexpr int kSizingZone = 7;

// The sizing border on an axis under pos, if any.
bool HitBorder(const TGridAxisDrawInfo& axis, int pos, int& index, int& sizingPos, int& sizingOfs) {
    int range = axis.EffectiveLineWidth;
    int back = 0;
    if (range < kSizingZone) {
        range = kSizingZone;
        back = (range - axis.EffectiveLineWidth) / 2;
    }
    int line = axis.FixedBoundary;
    for (int i = axis.FirstGridCell; i < axis.GridCellCount; ++i) {
        int extent = axis.GetExtent(i);
        if (extent < 0)
            continue;
        line += extent;
        if (line > axis.GridBoundary)
            break;
        if (pos >= line - back && pos < line - back + range) {
            index = i;
            sizingPos = line;
            sizingOfs = line - pos;
            return true;
        }
        line += axis.EffectiveLineWidth;
    }
    // A cell cut off by the client edge is sized at the edge.
    if (axis.GridBoundary == axis.GridExtent && pos >= axis.GridExtent - back && pos <= axis.GridExtent &&
        axis.LastFullVisibleCell + 1 < axis.GridCellCount) {
        index = axis.LastFullVisibleCell + 1;
        sizingPos = axis.GridExtent;
        sizingOfs = axis.GridExtent - pos;
        return true;
    }
    return false;
}

}  // namespace

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                  const TGridDrawInfo& FixedInfo) {
    State = gsNormal;
    Index = -1;
    TGridOptions options = options_;
    if (ComponentState().Contains(csDesigning))
        options = options + DesignOptionsBoost;
    if (options.Contains(goColSizing) && X > FixedInfo.Horz.FixedBoundary) {
        if (Y < FixedInfo.Vert.FixedBoundary && HitBorder(FixedInfo.Horz, X, Index, SizingPos, SizingOfs))
            State = gsColSizing;
    } else if (options.Contains(goRowSizing) && Y > FixedInfo.Vert.FixedBoundary) {
        if (X < FixedInfo.Horz.FixedBoundary && HitBorder(FixedInfo.Vert, Y, Index, SizingPos, SizingOfs))
            State = gsRowSizing;
    }
}

void TCustomGrid::DrawInvertedDotLine(TPoint From, TPoint To, int Width, TColor Color) {
    TCanvas& canvas = *Canvas();
    TPen saved;
    saved.Assign(*canvas.Pen());
    canvas.Pen()->SetStyle(psDot);
    canvas.Pen()->SetMode(pmXor);
    canvas.Pen()->SetWidth(Width);
    canvas.Pen()->SetColor(Color);
    canvas.MoveTo(From.X, From.Y);
    canvas.LineTo(To.X, To.Y);
    canvas.Pen()->Assign(saved);
}

void TCustomGrid::DrawSizingLine(int GridWidth, int GridHeight) {
    if (gridState_ == gsRowSizing)
        DrawInvertedDotLine({0, sizingPos_}, {GridWidth, sizingPos_}, 1, clWhite);
    else
        DrawInvertedDotLine({sizingPos_, 0}, {sizingPos_, GridHeight}, 1, clWhite);
}

// The marker where a moved column or row would land: before the cell, or after it when moving on.
void TCustomGrid::DrawMove() {
    if (movePos_ < 0)
        return;
    // A derived grid may choose the marker's colour; black would leave no mark.
    const TColor chosen = Canvas()->Pen()->Color();
    const TColor color = ColorToRGB(chosen) == clBlack ? clWhite : chosen;
    if (gridState_ == gsRowMoving) {
        TRect r = CellRect(0, movePos_);
        int pos = movePos_ > moveIndex_ ? r.Bottom : r.Top;
        DrawInvertedDotLine({0, pos}, {ClientWidth(), pos}, 5, color);
    } else {
        TRect r = CellRect(movePos_, 0);
        int pos = movePos_ > moveIndex_ ? r.Right : r.Left;
        DrawInvertedDotLine({pos, 0}, {pos, ClientHeight()}, 5, color);
    }
}

int TCustomGrid::ResizeLine(const TGridAxisDrawInfo& AxisInfo) const {
    int start = 0;
    if (sizingIndex_ < AxisInfo.FixedCellCount) {
        for (int i = 0; i < sizingIndex_; ++i) start += AxisInfo.Span(i);
    } else {
        start = AxisInfo.FixedBoundary;
        for (int i = AxisInfo.FirstGridCell; i < sizingIndex_; ++i) start += AxisInfo.Span(i);
    }
    return sizingPos_ - start;
}

bool TCustomGrid::BeginColumnDrag(int& Origin, int& Destination, TPoint MousePt) {
    (void)Origin;
    (void)Destination;
    (void)MousePt;
    return true;
}

bool TCustomGrid::CheckColumnDrag(int& Origin, int& Destination, TPoint MousePt) {
    (void)Origin;
    (void)Destination;
    (void)MousePt;
    return true;
}

bool TCustomGrid::EndColumnDrag(int& Origin, int& Destination, TPoint MousePt) {
    (void)Origin;
    (void)Destination;
    (void)MousePt;
    return true;
}

bool TCustomGrid::BeginGridRowDrag(int& Origin, int& Destination, TPoint MousePt) {
    (void)Origin;
    (void)Destination;
    (void)MousePt;
    return true;
}

bool TCustomGrid::CheckGridRowDrag(int& Origin, int& Destination, TPoint MousePt) {
    (void)Origin;
    (void)Destination;
    (void)MousePt;
    return true;
}

bool TCustomGrid::EndGridRowDrag(int& Origin, int& Destination, TPoint MousePt) {
    (void)Origin;
    (void)Destination;
    (void)MousePt;
    return true;
}

void TCustomGrid::StartMoving(TGridCoord CellHit, TPoint MousePt) {
    bool columns = CellHit.Y < fixedRows_;
    moveIndex_ = movePos_ = columns ? CellHit.X : CellHit.Y;
    bool begun = columns ? BeginColumnDrag(moveIndex_, movePos_, MousePt)
                         : BeginGridRowDrag(moveIndex_, movePos_, MousePt);
    if (!begun) {
        moveIndex_ = movePos_ = -1;
        return;
    }
    gridState_ = columns ? gsColMoving : gsRowMoving;
    Update();
    DrawMove();
    SetTimer(Handle(), ScrollTimerId, kScrollInterval);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!ComponentState().Contains(csDesigning) && ParentForm() != nullptr && CanFocus()) {
        SetFocus();
        if (!IsActiveControl()) {
            if (GetCaptureControl() == this)
                SetCaptureControl(nullptr);
            return;
        }
    }
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        CalcSizingState(X, Y, gridState_, sizingIndex_, sizingPos_, sizingOfs_, info);
        if (gridState_ != gsNormal) {
            // The XOR line goes over what the window shows now.
            Update();
            DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
        } else {
            TGridCoord hit = CalcCoordFromPoint(X, Y, info);
            if (hit.X >= fixedCols_ && hit.Y >= fixedRows_) {
                if (options_.Contains(goEditing)) {
                    if (hit == current_) {
                        ShowEditor();
                    } else {
                        MoveColRow(hit.X, hit.Y, true, true);
                        UpdateEdit();
                    }
                    Click();
                } else {
                    gridState_ = gsSelecting;
                    SetTimer(Handle(), ScrollTimerId, kScrollInterval);
                    if (Shift.Contains(ssShift))
                        MoveAnchor(hit);
                    else
                        MoveColRow(hit.X, hit.Y, true, true);
                }
            } else if (options_.Contains(goRowMoving) && hit.X >= 0 && hit.X < fixedCols_ &&
                       hit.Y >= fixedRows_) {
                StartMoving(hit, {X, Y});
            } else if (options_.Contains(goColMoving) && hit.Y >= 0 && hit.Y < fixedRows_ &&
                       hit.X >= fixedCols_) {
                StartMoving(hit, {X, Y});
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo& DrawInfo, bool columns,
                                TPoint MousePt) {
    const TGridAxisDrawInfo& axis = columns ? DrawInfo.Horz : DrawInfo.Vert;
    int bar = columns ? SB_HORZ : SB_VERT;
    if (CellHit == movePos_ || (movePos_ == axis.FixedCellCount && Mouse < axis.FixedBoundary) ||
        (movePos_ == axis.GridCellCount - 1 && Mouse > axis.GridBoundary))
        return;
    DrawMove();
    if (Mouse < axis.FixedBoundary) {
        if (movePos_ > axis.FixedCellCount) {
            ModifyScrollBar(bar, SB_LINEUP, 0);
            Update();
            CalcDrawInfo(DrawInfo);
        }
        CellHit = axis.FirstGridCell;
    } else if (Mouse >= axis.FullVisBoundary) {
        if (movePos_ == axis.LastFullVisibleCell && movePos_ < axis.GridCellCount - 1) {
            ModifyScrollBar(bar, SB_LINEDOWN, 0);
            Update();
            CalcDrawInfo(DrawInfo);
        }
        CellHit = axis.LastFullVisibleCell;
    } else if (CellHit < 0) {
        CellHit = movePos_;
    }
    bool allowed = columns ? CheckColumnDrag(moveIndex_, CellHit, MousePt)
                           : CheckGridRowDrag(moveIndex_, CellHit, MousePt);
    if (allowed)
        movePos_ = CellHit;
    DrawMove();
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    switch (gridState_) {
        case gsSelecting: {
            TGridCoord hit = CalcCoordFromPoint(X, Y, info);
            if (hit.X >= fixedCols_ && hit.Y >= fixedRows_ && hit != anchor_)
                MoveAnchor(hit);
            break;
        }
        case gsColMoving:
            MoveAndScroll(X, CalcCoordFromPoint(X, Y, info).X, info, true, {X, Y});
            break;
        case gsRowMoving:
            MoveAndScroll(Y, CalcCoordFromPoint(X, Y, info).Y, info, false, {X, Y});
            break;
        case gsRowSizing:
        case gsColSizing:
            DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
            sizingPos_ = (gridState_ == gsRowSizing ? Y : X) + sizingOfs_;
            DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
            break;
        default:
            break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::EndMouseState(TShiftState Shift, int X, int Y) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    switch (gridState_) {
        case gsSelecting:
            MouseMove(Shift, X, Y);
            KillTimer(Handle(), ScrollTimerId);
            UpdateEdit();
            Click();
            break;
        case gsColSizing:
        case gsRowSizing: {
            DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
            bool columns = gridState_ == gsColSizing;
            int size = ResizeLine(columns ? info.Horz : info.Vert);
            if (size > 1 && sizingIndex_ >= 0) {
                if (columns)
                    SetColWidths(sizingIndex_, size);
                else
                    SetRowHeights(sizingIndex_, size);
            }
            break;
        }
        case gsColMoving:
        case gsRowMoving: {
            DrawMove();
            KillTimer(Handle(), ScrollTimerId);
            bool columns = gridState_ == gsColMoving;
            TPoint pt{X, Y};
            bool dropped =
                columns ? EndColumnDrag(moveIndex_, movePos_, pt) : EndGridRowDrag(moveIndex_, movePos_, pt);
            int from = moveIndex_;
            int to = movePos_;
            moveIndex_ = movePos_ = -1;
            if (dropped && from != to) {
                if (columns)
                    MoveColumn(from, to);
                else
                    MoveRow(from, to);
            }
            UpdateEdit();
            break;
        }
        default:
            UpdateEdit();
            break;
    }
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TScopeExit normal([this] { gridState_ = gsNormal; });
    EndMouseState(Shift, X, Y);
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::TimedScroll(TGridScrollDirection Direction) {
    TGridCoord anchor = anchor_;
    if (Direction.Contains(sdLeft) && anchor.X > fixedCols_)
        --anchor.X;
    if (Direction.Contains(sdRight) && anchor.X < ColCount() - 1)
        ++anchor.X;
    if (Direction.Contains(sdUp) && anchor.Y > fixedRows_)
        --anchor.Y;
    if (Direction.Contains(sdDown) && anchor.Y < RowCount() - 1)
        ++anchor.Y;
    if (anchor != anchor_)
        MoveAnchor(anchor);
}

void TCustomGrid::WMTimer() {
    if (gridState_ != gsSelecting && gridState_ != gsColMoving && gridState_ != gsRowMoving)
        return;
    TPoint pt;
    GetCursorPos(pt);
    pt = ScreenToClient(pt);
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord hit = CalcCoordFromPoint(pt.X, pt.Y, info);
    if (gridState_ == gsColMoving) {
        MoveAndScroll(pt.X, hit.X, info, true, pt);
        return;
    }
    if (gridState_ == gsRowMoving) {
        MoveAndScroll(pt.Y, hit.Y, info, false, pt);
        return;
    }
    TGridScrollDirection direction;
    if (pt.X < info.Horz.FixedBoundary)
        direction.Include(sdLeft);
    else if (pt.X > info.Horz.FullVisBoundary)
        direction.Include(sdRight);
    if (pt.Y < info.Vert.FixedBoundary)
        direction.Include(sdUp);
    else if (pt.Y > info.Vert.FullVisBoundary)
        direction.Include(sdDown);
    if (direction != TGridScrollDirection{})
        TimedScroll(direction);
}

void TCustomGrid::WMCancelMode() {
    switch (gridState_) {
        case gsSelecting:
            KillTimer(Handle(), ScrollTimerId);
            break;
        case gsRowSizing:
        case gsColSizing: {
            TGridDrawInfo info;
            CalcDrawInfo(info);
            DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
            break;
        }
        case gsColMoving:
        case gsRowMoving:
            DrawMove();
            KillTimer(Handle(), ScrollTimerId);
            moveIndex_ = movePos_ = -1;
            break;
        default:
            break;
    }
    gridState_ = gsNormal;
}
