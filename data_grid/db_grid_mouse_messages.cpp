// The window messages of the mouse: the pointer's shape over titles, the indicator and frozen
// borders, cancel mode and double clicks.
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "platform/db/dataset.h"
#include "platform/ui/cursors.h"
#include "platform/ui/input.h"
#include "platform/ui/messages.h"
#include "platform/ui/top_level.h"
#include "platform/ui/window_styles.h"

namespace {

// The bottom of a title cell that selects its column.
constexpr int kColumnSelectBand = 7;

}  // namespace

// The control's double-click event waits for the press: a border fitted on a double click is no
// double click for the program.
void TCustomDBGridEh::DoubleClickMessage(TMessage& Message) {
    pendingDblClick_ = std::move(OnDblClick);
    OnDblClick = nullptr;
    struct Restore {
        TCustomDBGridEh* grid;
        ~Restore() {
            grid->OnDblClick = std::move(grid->pendingDblClick_);
            grid->pendingDblClick_ = nullptr;
        }
    } restore{this};
    TCustomGrid::Dispatch(Message);
}

// The filter editor is told first, then the press being followed ends.
void TCustomDBGridEh::CancelModeMessage(TMessage& Message) {
    FilterEditorCancelMode(Message);
    TCustomGrid::Dispatch(Message);
    CancelMouseTracking();
    if (pressMode_ == TPressModeEh::SizingFrozen) {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        DrawSizingLine(info.Horz.GridBoundary, info.Vert.GridBoundary);
    } else if (GridDragState() != dgsNoneEh) {
        StopScrollTimer();
    }
    LeavePressMode();
}

bool TCustomDBGridEh::OverFrozenBorder(int X, int Y) {
    int offset = 0;
    int position = 0;
    int column = -1;
    TGridDragStateEh state = dgsNoneEh;
    return FrozenSizingHit(X, Y, offset, position, column, state);
}

// The title's bottom band of a data column, where a press selects the column.
bool TCustomDBGridEh::ColumnSelectZone(int X, int Y) {
    if (ComponentState().Contains(csDesigning) || !dataLink_->Active() ||
        !options_.Contains(gdoMultiSelectEh) || options_.Contains(gdoRowSelectEh) || ShowsTitles() == 0 ||
        !SelectionKindAllowed(gskColumnsEh))
        return false;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.Y != 0 || cell.X < indicatorOffset_ || ColumnAtGridCol(cell.X) == nullptr)
        return false;
    const TRect rect = CellRect(cell.X, cell.Y);
    return Y >= rect.Bottom - kColumnSelectBand;
}

// The indicator of a data row of a non-empty dataset, where a press selects rows.
bool TCustomDBGridEh::RowSelectZone(int X, int Y) {
    if (ComponentState().Contains(csDesigning) || !dataLink_->Active() ||
        !options_.Contains(gdoMultiSelectEh) || !SelectionKindAllowed(gskRowsEh) ||
        dataLink_->DataSet()->IsEmpty())
        return false;
    const TGridCoord cell = MouseCoord(X, Y);
    return cell.X >= 0 && cell.X < indicatorOffset_ && InDataRows(cell) &&
           cell.Y - topDataOffset_ < dataLink_->RecordCount();
}

void TCustomDBGridEh::SetCursorMessage(TMessage& Message) {
    TCursor cursor = crDefault;
    if (LoWordSigned(Message.LParam) == HTCLIENT) {
        TPoint pointer;
        GetCursorPos(pointer);
        pointer = ScreenToClient(pointer);
        const TGridState state = SizingHitAt(pointer.X, pointer.Y).State;
        TDBGridEhUnit* unit = DBGridEhUnit();
        if (pressMode_ == TPressModeEh::SizingFrozen ||
            (GridDragState() == dgsNoneEh && OverFrozenBorder(pointer.X, pointer.Y)))
            cursor = crHSplit;
        else if (unit != nullptr && state == gsNormal && !BeginRowDrag(pointer.X, pointer.Y, true)) {
            if (RowSelectZone(pointer.X, pointer.Y))
                cursor =
                    UseRightToLeftAlignment() ? unit->RightToLeftRowSelectCursor() : unit->RowSelectCursor();
            else if (ColumnSelectZone(pointer.X, pointer.Y))
                cursor = unit->ColumnSelectCursor();
        }
    }
    if (cursor == crDefault) {
        TCustomGrid::Dispatch(Message);
        return;
    }
    platform::ui::ShowPointer(*this, cursor);
    Message.Result = 1;
}
