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
    int pageWidth = std::max(info.Horz.LastFullVisibleCell - LeftCol() + 1, 1);
    int pageHeight = std::max(info.Vert.LastFullVisibleCell - TopRow() + 1, 1);
    bool rowSelect = options_.Contains(goRowSelect);
    TGridCoord topLeft = topLeft_;
    TGridCoord current = current_;
    int colStep = 0;  // the direction to skip hidden columns in
    bool moveAnchor = !Shift.Contains(ssShift);
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
            case VK_UP:
                --topLeft.Y;
                break;
            case VK_DOWN:
                ++topLeft.Y;
                break;
            case VK_LEFT:
                if (!rowSelect) {
                    current.X -= pageWidth;
                    topLeft.X -= pageWidth;
                    colStep = -1;
                }
                break;
            case VK_RIGHT:
                if (!rowSelect) {
                    current.X += pageWidth;
                    topLeft.X += pageWidth;
                    colStep = 1;
                }
                break;
            case VK_PRIOR:
                current.Y = TopRow();
                break;
            case VK_NEXT:
                current.Y = info.Vert.LastFullVisibleCell;
                break;
            case VK_HOME:
                current = {fixedCols_, fixedRows_};
                colStep = 1;
                break;
            case VK_END:
                current = {ColCount() - 1, RowCount() - 1};
                colStep = -1;
                break;
            default:
                break;
        }
    } else {
        switch (Key) {
            case VK_UP:
                --current.Y;
                break;
            case VK_DOWN:
                ++current.Y;
                break;
            case VK_LEFT:
                if (rowSelect)
                    --topLeft.X;
                else
                    --current.X, colStep = -1;
                break;
            case VK_RIGHT:
                if (rowSelect)
                    ++topLeft.X;
                else
                    ++current.X, colStep = 1;
                break;
            case VK_NEXT:
                current.Y += pageHeight;
                topLeft.Y += pageHeight;
                break;
            case VK_PRIOR:
                current.Y -= pageHeight;
                topLeft.Y -= pageHeight;
                break;
            case VK_HOME:
                if (rowSelect)
                    current.Y = fixedRows_;
                else
                    current.X = fixedCols_, colStep = 1;
                break;
            case VK_END:
                if (rowSelect)
                    current.Y = RowCount() - 1;
                else
                    current.X = ColCount() - 1, colStep = -1;
                break;
            case VK_TAB:
                if (!Shift.Contains(ssAlt) && options_.Contains(goTabs)) {
                    current = NextTabStop(!Shift.Contains(ssShift));
                    moveAnchor = true;
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
    TGridCoord maxTopLeft = CalcMaxTopLeft(info);
    topLeft.X = std::clamp(topLeft.X, fixedCols_, std::max(maxTopLeft.X, fixedCols_));
    topLeft.Y = std::clamp(topLeft.Y, fixedRows_, std::max(maxTopLeft.Y, fixedRows_));
    if (topLeft != topLeft_)
        MoveTopLeft(topLeft.X, topLeft.Y);
    current.X = std::clamp(current.X, fixedCols_, ColCount() - 1);
    current.Y = std::clamp(current.Y, fixedRows_, RowCount() - 1);
    if (colStep != 0)
        current.X = ShownColumnFrom(current.X, colStep);
    if (current != current_)
        FocusCell(current.X, current.Y, moveAnchor);
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
