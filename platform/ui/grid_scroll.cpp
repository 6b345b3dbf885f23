// The grid's view: its top-left scrolling cell and the window scroll bars that show and move it.
#include <algorithm>

#include "platform/ui/grid.h"
#include "platform/ui/scroll_info.h"

void TCustomGrid::SetTopRow(int value) {
    if (value != TopRow())
        MoveTopLeft(LeftCol(), value);
}

void TCustomGrid::SetLeftCol(int value) {
    if (value != LeftCol())
        MoveTopLeft(value, TopRow());
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord maxTopLeft = CalcMaxTopLeft(info);
    ALeft = std::clamp(ALeft, fixedCols_, std::max(maxTopLeft.X, fixedCols_));
    ATop = std::clamp(ATop, fixedRows_, std::max(maxTopLeft.Y, fixedRows_));
    if (ALeft == LeftCol() && ATop == TopRow())
        return;
    topLeft_ = {ALeft, ATop};
    InvalidateGrid();
    UpdateScrollPos();
    TopLeftChanged();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    if (HandleAllocated())
        RecreateWnd();
    UpdateScrollRange();
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    AddBorderStyle(Params, bsSingle);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth)
        Params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)
        Params.Style |= WS_HSCROLL;
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollRange();
}

void TCustomGrid::Resize() {
    TCustomControl::Resize();
    UpdateScrollRange();
    UpdateEdit();
}

namespace {

bool HasBar(TScrollStyle style, int bar) {
    return style == ssBoth || style == (bar == SB_HORZ ? ssHorizontal : ssVertical);
}

}  // namespace

// A bar's positions are the scrolling cells: position 0 is the first one, the page the cells that show
// when scrolled to the end, so the furthest position is the furthest top-left cell.
void TCustomGrid::UpdateScrollRange() {
    if (!HandleAllocated())
        return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord maxTopLeft = CalcMaxTopLeft(info);
    if (LeftCol() > maxTopLeft.X || TopRow() > maxTopLeft.Y) {
        MoveTopLeft(std::min(LeftCol(), maxTopLeft.X), std::min(TopRow(), maxTopLeft.Y));
        return;  // moving updated the bars
    }
    auto setRange = [&](int bar, int count, int fixed, int maxFirst, int first) {
        if (!HasBar(scrollBars_, bar) || (bar == SB_VERT && virtualView_))
            return;
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(count - fixed - 1, 0);
        si.nPage = static_cast<UINT>(std::max(count - maxFirst, 1));
        si.nPos = first - fixed;
        SetScrollInfo(Handle(), bar, si, true);
    };
    setRange(SB_HORZ, ColCount(), fixedCols_, maxTopLeft.X, LeftCol());
    setRange(SB_VERT, RowCount(), fixedRows_, maxTopLeft.Y, TopRow());
}

void TCustomGrid::UpdateScrollPos() {
    if (!HandleAllocated())
        return;
    if (HasBar(scrollBars_, SB_HORZ))
        SetScrollPos(Handle(), SB_HORZ, LeftCol() - fixedCols_, true);
    if (HasBar(scrollBars_, SB_VERT) && !virtualView_)
        SetScrollPos(Handle(), SB_VERT, TopRow() - fixedRows_, true);
}

int TCustomGrid::ScrolledTo(int bar, int code, int pos) const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    bool horz = bar == SB_HORZ;
    const TGridAxisDrawInfo& axis = horz ? info.Horz : info.Vert;
    int first = axis.FirstGridCell;
    int page = std::max(axis.LastFullVisibleCell - first + 1, 1);
    TGridCoord maxTopLeft = CalcMaxTopLeft(info);
    switch (code) {
        case SB_LINEUP:
            return first - 1;
        case SB_LINEDOWN:
            return first + 1;
        case SB_PAGEUP:
            return first - page;
        case SB_PAGEDOWN:
            return first + page;
        case SB_THUMBPOSITION:
            return axis.FixedCellCount + pos;
        case SB_THUMBTRACK:
            return options_.Contains(goThumbTracking) ? axis.FixedCellCount + pos : first;
        case SB_TOP:
            return axis.FixedCellCount;
        case SB_BOTTOM:
            return horz ? maxTopLeft.X : maxTopLeft.Y;
        default:
            return first;
    }
}

void TCustomGrid::ModifyScrollBar(int bar, int code, int pos) {
    int first = ScrolledTo(bar, code, pos);
    if (bar == SB_HORZ)
        MoveTopLeft(first, TopRow());
    else
        MoveTopLeft(LeftCol(), first);
}

void TCustomGrid::ScrollMessage(TMessage& Message, int bar) {
    int code = static_cast<int>(Message.WParam & 0xFFFF);
    int pos = static_cast<int>((Message.WParam >> 16) & 0xFFFF);
    ModifyScrollBar(bar, code, pos);
    Message.Result = 0;
}
