// Getting into and around the filter row: Up from the first record, presses on a filter cell, the
// filter editor's keys that step between filter cells, and the typed characters, wheel and cancel
// mode the grid hands on to the filter editor.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_filter_row_editing.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"

namespace {

TShiftState Modifiers(TShiftState Shift) {
    return Shift * TShiftState{ssShift, ssCtrl, ssAlt};
}

// The caret stands at the start (or the end) of the editor's text with nothing selected.
bool CaretAtEdge(const TEdit& Editor, bool End) {
    if (Editor.SelLength() != 0)
        return false;
    const int length = static_cast<int>(Utf8ToUtf32(Editor.Text()).size());
    return Editor.SelStart() == (End ? length : 0);
}

}  // namespace

// Up on the first record (or with Ctrl) goes into the filter row.
bool TCustomDBGridEh::StartFilterEditingByKey(WORD Key, TShiftState Shift) {
    if (Key != VK_UP || SubTitleRowCount() == 0 || !dataLink_->Active())
        return false;
    if (!dataLink_->DataSet()->Bof() && !Shift.Contains(ssCtrl))
        return false;
    const int column = filterRow_->FilterColumnForKey();
    if (column >= 0)
        EditFilterCell(column);
    return true;
}

// The current column; with row selection the first filter cell from the filter column on, or from
// the left visible column when that one is scrolled out of view.
int TGridFilterRowEditingEh::FilterColumnForKey() {
    if (!grid_.options_.Contains(gdoRowSelectEh))
        return grid_.SelectedColumnIndex();
    const int leftData = grid_.GridColToDataCol(grid_.LeftCol());
    const int lastShown = grid_.GridColToDataCol(grid_.LeftCol() + grid_.VisibleColCount() - 1);
    int from = EditedColumn;
    if (from < leftData || from > lastShown)
        from = leftData;
    for (int i = std::max(from, 0); grid_.columns_ && i < grid_.columns_->Count(); ++i)
        if (grid_.HasFilterCell(i))
            return i;
    return -1;
}

// The filter cell Step columns away from From (-1 before the first and Count past the last step
// to the other end), wrapping around; -1 when no column has one.
int TGridFilterRowEditingEh::NextFilterCell(int From, int Step) {
    const int count = grid_.columns_ ? grid_.columns_->Count() : 0;
    for (int tried = 0, col = From; tried < count; ++tried) {
        col = ((col + Step) % count + count) % count;
        if (grid_.HasFilterCell(col))
            return col;
    }
    return -1;
}

bool TCustomDBGridEh::MoveBetweenFilterCells(TControl* Editor, WORD Key, TShiftState Shift) {
    auto* edit = dynamic_cast<TEdit*>(Editor);
    if (edit == nullptr || Editor != filterRow_->Editor || !filterRow_->Editing)
        return false;
    const TShiftState modifiers = Modifiers(Shift);
    const bool ctrl = modifiers == TShiftState{ssCtrl};
    const int count = columns_ ? columns_->Count() : 0;
    int target = -1;
    switch (Key) {
        case VK_LEFT:
            if (ctrl)
                target = filterRow_->NextFilterCell(-1, 1);
            else if (modifiers == TShiftState{} && CaretAtEdge(*edit, false))
                target = filterRow_->NextFilterCell(filterRow_->EditedColumn, -1);
            break;
        case VK_RIGHT:
            if (ctrl)
                target = filterRow_->NextFilterCell(count, -1);
            else if (modifiers == TShiftState{} && CaretAtEdge(*edit, true))
                target = filterRow_->NextFilterCell(filterRow_->EditedColumn, 1);
            break;
        case VK_HOME:
            if (modifiers == TShiftState{} && CaretAtEdge(*edit, false))
                target = filterRow_->NextFilterCell(-1, 1);
            break;
        case VK_END:
            if (modifiers == TShiftState{} && CaretAtEdge(*edit, true))
                target = filterRow_->NextFilterCell(count, -1);
            break;
        case VK_TAB:
            if (options_.Contains(gdoTabsEh) &&
                (modifiers == TShiftState{} || modifiers == TShiftState{ssShift}))
                target =
                    filterRow_->NextFilterCell(filterRow_->EditedColumn, modifiers == TShiftState{} ? 1 : -1);
            break;
        default:
            return false;
    }
    if (target < 0)
        return false;
    EditFilterCell(target);
    return true;
}

// A left or right press on a filter cell edits it; a left press goes on to the editor, which puts
// the caret under the pointer.
bool TCustomDBGridEh::FilterRowPress(TMessage& Message) {
    if (ComponentState().Contains(csDesigning) || SubTitleRowCount() == 0)
        return false;
    const TPoint point = PointFromLParam(Message.LParam);
    const TGridCoord cell = MouseCoord(point.X, point.Y);
    const int dataCol = GridColToDataCol(cell.X);
    if (cell.X < indicatorOffset_ || !IsFilterRowPoint(cell.X, cell.Y, point) || !HasFilterCell(dataCol))
        return false;
    DropSelection();
    EditFilterCell(dataCol);
    if (Message.Msg == WM_LBUTTONDOWN && filterRow_->Editor != nullptr && filterRow_->Editor->Visible())
        filterRow_->ForwardToFilterEditor(WM_LBUTTONDOWN, Message.WParam, point);
    NoteEditorPress(point, GetMessageTime());
    return true;
}

// The editor took the mouse with the press handed on to it, but the release was routed with the
// press, to the grid: it goes on to the editor too, which lets the mouse go.
bool TCustomDBGridEh::FilterEditorRelease(TMessage& Message) {
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    if (editor == nullptr || GetCaptureControl() != editor)
        return false;
    Message.Result =
        filterRow_->ForwardToFilterEditor(WM_LBUTTONUP, Message.WParam, PointFromLParam(Message.LParam));
    return true;
}

LRESULT TGridFilterRowEditingEh::ForwardToFilterEditor(UINT Msg, WPARAM WParam, TPoint ClientPoint) {
    const TPoint at = Editor->ScreenToClient(grid_.ClientToScreen(ClientPoint));
    return Editor->Perform(Msg, WParam, MakeLParam(at.X, at.Y));
}

// While filter editing the wheel, cancel mode and typed characters belong to the filter editor.
bool TCustomDBGridEh::FilterEditorWheel(TMessage& Message) {
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    if (!filterRow_->Editing || editor == nullptr)
        return false;
    Message.Result = editor->Perform(Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void TCustomDBGridEh::FilterEditorCancelMode(const TMessage& Message) {
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    if (!filterRow_->Editing || editor == nullptr)
        return;
    if (Message.Msg == WM_CANCELMODE)
        editor->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(this));
    else
        editor->Perform(Message.Msg, Message.WParam, Message.LParam);
}

bool TCustomDBGridEh::FilterEditorChar(const TMessage& Message) {
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    if (!filterRow_->Editing || editor == nullptr)
        return false;
    const auto ch = static_cast<char32_t>(Message.WParam);
    if (ch < 32 && ch != U'\b')
        return false;
    PlaceFilterEditor(true);
    PostMessage(editor->Handle(), WM_CHAR, Message.WParam, Message.LParam);
    return true;
}
