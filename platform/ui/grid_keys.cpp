// The grid's keys: moving the current cell and the view, Tab through the tab stops, F2, Enter and
// Esc for the editor, and characters that open the editor and go into it.
#include <algorithm>

#include "platform/ui/grid.h"
#include "platform/ui/inplace_edit.h"
#include "platform/ui/virtual_keys.h"

bool TCustomGrid::CanGridAcceptKey(WORD Key, TShiftState Shift) {
    (void)Key;
    (void)Shift;
    return true;
}

LRESULT TCustomGrid::DialogCode() const {
    LRESULT code = DLGC_WANTARROWS;
    if (options_.Contains(goRowSelect))
        return code;
    if (options_.Contains(goTabs))
        code |= DLGC_WANTTAB;
    if (options_.Contains(goEditing))
        code |= DLGC_WANTCHARS;
    return code;
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0 || !CanGridAcceptKey(Key, Shift))
        return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    KeyMove move{topLeft_, current_, 0, !Shift.Contains(ssShift)};
    if (Shift.Contains(ssCtrl))
        CtrlKeyMove(Key, info, move);
    else
        PlainKeyMove(Key, Shift, info, move);
    if (move.TopLeft != topLeft_)
        MoveTopLeft(move.TopLeft.X, move.TopLeft.Y);
    TGridCoord current = move.Current;
    current.X = std::clamp(current.X, fixedCols_, ColCount() - 1);
    current.Y = std::clamp(current.Y, fixedRows_, RowCount() - 1);
    if (move.ColStep != 0)
        current.X = ShownColumnFrom(current.X, move.ColStep);
    if (current != current_)
        FocusCell(current.X, current.Y, move.MoveAnchor);
}

// Ctrl with a key scrolls the view or jumps to the ends.
void TCustomGrid::CtrlKeyMove(WORD Key, const TGridDrawInfo& DrawInfo, KeyMove& move) const {
    int pageWidth = std::max(DrawInfo.Horz.LastFullVisibleCell - LeftCol() + 1, 1);
    bool rowSelect = options_.Contains(goRowSelect);
    switch (Key) {
        case VK_UP:
            --move.TopLeft.Y;
            break;
        case VK_DOWN:
            ++move.TopLeft.Y;
            break;
        case VK_LEFT:
            if (!rowSelect) {
                move.Current.X -= pageWidth;
                move.TopLeft.X -= pageWidth;
                move.ColStep = -1;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                move.Current.X += pageWidth;
                move.TopLeft.X += pageWidth;
                move.ColStep = 1;
            }
            break;
        case VK_PRIOR:
            move.Current.Y = TopRow();
            break;
        case VK_NEXT:
            move.Current.Y = DrawInfo.Vert.LastFullVisibleCell;
            break;
        case VK_HOME:
            move.Current = {fixedCols_, fixedRows_};
            move.ColStep = 1;
            break;
        case VK_END:
            move.Current = {ColCount() - 1, RowCount() - 1};
            move.ColStep = -1;
            break;
        default:
            break;
    }
}

void TCustomGrid::PlainKeyMove(WORD Key, TShiftState Shift, const TGridDrawInfo& DrawInfo, KeyMove& move) {
    int pageHeight = std::max(DrawInfo.Vert.LastFullVisibleCell - TopRow() + 1, 1);
    bool rowSelect = options_.Contains(goRowSelect);
    switch (Key) {
        case VK_UP:
            --move.Current.Y;
            break;
        case VK_DOWN:
            ++move.Current.Y;
            break;
        case VK_LEFT:
            if (rowSelect) {
                --move.TopLeft.X;
            } else {
                --move.Current.X;
                move.ColStep = -1;
            }
            break;
        case VK_RIGHT:
            if (rowSelect) {
                ++move.TopLeft.X;
            } else {
                ++move.Current.X;
                move.ColStep = 1;
            }
            break;
        case VK_NEXT:
            move.Current.Y += pageHeight;
            move.TopLeft.Y += pageHeight;
            break;
        case VK_PRIOR:
            move.Current.Y -= pageHeight;
            move.TopLeft.Y -= pageHeight;
            break;
        case VK_HOME:
            if (rowSelect) {
                move.Current.Y = fixedRows_;
            } else {
                move.Current.X = fixedCols_;
                move.ColStep = 1;
            }
            break;
        case VK_END:
            if (rowSelect) {
                move.Current.Y = RowCount() - 1;
            } else {
                move.Current.X = ColCount() - 1;
                move.ColStep = -1;
            }
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt) && options_.Contains(goTabs)) {
                move.Current = NextTabStop(!Shift.Contains(ssShift));
                move.MoveAnchor = true;
            }
            break;
        case VK_F2:
            SetEditorMode(true);
            break;
        case VK_ESCAPE:
            CancelEditor();
            break;
        default:
            break;
    }
}

bool TCustomGrid::ColumnShown(int ACol) const {
    return colWidths_[static_cast<std::size_t>(ACol)] > 0;
}

int TCustomGrid::ShownColumnFrom(int ACol, int Step) const {
    for (int c = ACol; c >= fixedCols_ && c < ColCount(); c += Step)
        if (ColumnShown(c))
            return c;
    for (int c = ACol - Step; c >= fixedCols_ && c < ColCount(); c -= Step)
        if (ColumnShown(c))
            return c;
    return current_.X;
}

TGridCoord TCustomGrid::NextTabStop(bool Forward) const {
    TGridCoord c = current_;
    do {
        if (Forward) {
            if (++c.X >= ColCount()) {
                c.X = fixedCols_;
                if (++c.Y >= RowCount())
                    c.Y = fixedRows_;
            }
        } else if (--c.X < fixedCols_) {
            c.X = ColCount() - 1;
            if (--c.Y < fixedRows_)
                c.Y = RowCount() - 1;
        }
    } while (!(tabStops_[static_cast<std::size_t>(c.X)] && ColumnShown(c.X)) && c.X != current_.X);
    return c;
}

void TCustomGrid::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (!options_.Contains(goAlwaysShowEditor) && Key == U'\r') {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TCustomGrid::WMChar(TMessage& Message) {
    auto ch = static_cast<char32_t>(Message.WParam);
    if (options_.Contains(goEditing) && (ch == U'\b' || ch >= 32) && ch != 127)
        ShowEditorChar(ch);
    else
        TCustomControl::Dispatch(Message);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos))
        return true;
    if (Row() < RowCount() - 1)
        SetRow(Row() + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos))
        return true;
    if (Row() > fixedRows_)
        SetRow(Row() - 1);
    return true;
}
