// Choosing with the mouse: a press on the data or the special row starts cell tracking; moves and
// the auto-scroll timer then choose the row under the pointer, scrolling at the grid's edges.
#include <algorithm>

#include "data_controls/spec_row.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/dataset.h"
#include "platform/ui/mouse_capture.h"

namespace {

// The auto-scroll interval: the farther the pointer from the grid, the faster the list scrolls.
constexpr int SlowestScrollInterval = 200;
constexpr int IntervalPerPixel = 15;

}  // namespace

bool TDBLookupGridEh::InSpecRow(int GridRow) const {
    return specRow_->Visible() && GridRow == TopDataOffset() - 1;
}

void TDBLookupGridEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TGridCoord cell = MouseCoord(X, Y);
    const TGridRect area = DataCellArea();
    const bool inData =
        cell.X >= area.Left && cell.X <= area.Right && cell.Y >= area.Top && cell.Y <= area.Bottom;
    if (!inData && !InSpecRow(cell.Y)) {
        TCustomDBGridEh::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    searchText_.clear();
    if (!popupMode_) {
        SetFocus();
        if (!Focused())
            return;
    }
    if (!CanModifyKey())
        return;
    if (Shift.Contains(ssDouble)) {
        if ((Y - TitleHeight()) / std::max(RowPitch(), 1) == recordIndex_ && OnDblClick)
            OnDblClick(this);
        return;
    }
    if (HandleAllocated() && GetCapture() == Handle()) {
        cellTracking_ = true;
        if (Y > TitleHeight())
            TrackMouse(X, Y);
    }
}

void TDBLookupGridEh::MouseMove(TShiftState Shift, int X, int Y) {
    if (!cellTracking_) {
        TCustomDBGridEh::MouseMove(Shift, X, Y);
        return;
    }
    TrackMouse(X, Y);
    lastMouseY_ = Y;
    AutoScrollTick();
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TDBLookupGridEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!cellTracking_) {
        TCustomDBGridEh::MouseUp(Button, Shift, X, Y);
        return;
    }
    cellTracking_ = false;
    StopScrollTimer();
    CancelMouseTracking();
    if (Y > TitleHeight())
        TrackMouse(X, Y);
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TDBLookupGridEh::TrackMouse(int X, int Y) {
    const int title = TitleHeight();
    if (specRow_->Visible() && Y > title && Y <= title + specRowHeight_) {
        SelectSpecRow();
        return;
    }
    if (Y < title + specRowHeight_)
        return;
    Y = std::min(Y, ClientHeight() - 1);
    const TGridCoord cell = MouseCoord(X, Y);
    const TGridRect area = DataCellArea();
    if (cell.X < area.Left || cell.X > area.Right || cell.Y < area.Top || cell.Y > area.Bottom)
        return;
    ListDataSet()->MoveBy(cell.Y - TopDataOffset() - recordIndex_);
    StoreCurrentKey();
}

void TDBLookupGridEh::AutoScrollTick() {
    const int y = lastMouseY_;
    int direction = 0;
    int distance = 0;
    if (y < 0) {
        direction = -1;
        distance = -y;
    } else if (y >= ClientHeight()) {
        direction = 1;
        distance = y - ClientHeight() + 1;
    } else {
        StopScrollTimer();
        return;
    }
    TDataSet* list = ListDataSet();
    if (specRow_->Visible() && y < 0 && list->Bof())
        SelectSpecRow();
    else if (list->MoveBy(direction) != 0)
        StoreCurrentKey();
    StartScrollTimer(std::max(0, SlowestScrollInterval - IntervalPerPixel * distance));
}
