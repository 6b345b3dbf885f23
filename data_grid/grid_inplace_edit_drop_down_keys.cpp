// Keys reaching the grid editor while it offers a drop-down: Enter, Esc, Ctrl+Enter and Alt+arrows
// open and close it, typing may open it, moving keys go to the open list (typed keys to the
// calculator), and the list of remembered texts takes its own moving keys, Enter and Esc.
#include "data_controls/mru_list.h"
#include "data_controls/mru_list_drop_down.h"
#include "data_controls/mru_listbox.h"
#include "data_controls/open_list_messages.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/virtual_keys.h"

namespace {

bool IsKeyMessage(UINT Msg) {
    return Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN || Msg == WM_CHAR;
}

// Only key presses are compared with key codes: characters whose codes equal them ('!', '(' ...)
// are typed as usual.
bool IsKeyPress(UINT Msg) {
    return Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN;
}

bool OffersDropDownKeys(TInplaceEditStyleEh Style) {
    return Style == esPickListEh || Style == esDataListEh || Style == esDateCalendarEh;
}

bool IsListMoveKey(WORD Key, TShiftState Shift, bool Calendar) {
    switch (Key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            return !Shift.Contains(ssShift);
        case VK_HOME:
        case VK_END:
            return Shift.Contains(ssCtrl);
        case VK_LEFT:
        case VK_RIGHT:
            return Calendar;
        default:
            return false;
    }
}

// A printable character typed while no list is shown opens the column's list when it drops down
// by itself.
bool OpensOnTypedChar(TDBGridInplaceEdit& Editor, const TMessage& Message) {
    if (Message.Msg != WM_CHAR || Message.WParam < 32 || Editor.ListShown())
        return false;
    if (!OffersDropDownKeys(Editor.ActiveEditStyle()) && !Editor.CalculatorAvailable())
        return false;
    TColumnEh* column = Editor.CurrentColumn();
    return column != nullptr && column->AutoDropDown();
}

}  // namespace

void TDBGridInplaceEdit::WndProc(TMessage& Message) {
    if (!IsKeyMessage(Message.Msg)) {
        TInplaceEdit::WndProc(Message);
        return;
    }
    const auto key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    // Typing may first put the record into edit, which loads the editor afresh and closes an open
    // list: a list other than the calculator opens, or stays open, once the character is typed.
    const bool typed = Message.Msg == WM_CHAR && key >= 32 && !CalculatorAvailable();
    const bool openAfter = typed && (listShown_ || OpensOnTypedChar(*this, Message));
    if (!openAfter && (DropDownKeyMessage(Message, key, shift) || MRUListKeyMessage(Message, key, shift)))
        return;
    TInplaceEdit::WndProc(Message);
    if (openAfter && !listShown_ && IsShowing() && Focused())
        OpenDropDown();
}

void TDBGridInplaceEdit::HandleDropDownKeys(WORD& Key, TShiftState Shift) {
    const bool alt = Shift.Contains(ssAlt);
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && listShown_ && activeDropDown_ != calculatorDropDown_ &&
        !alt) {
        CloseDropDown(Key == VK_RETURN);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && Shift.Contains(ssCtrl) && !listShown_) {
        OpenDropDown();
        Key = 0;
        return;
    }
    if ((Key == VK_UP || Key == VK_DOWN) && alt) {
        if (listShown_)
            CloseDropDown(true);
        else
            OpenDropDown();
        Key = 0;
    }
}

bool TDBGridInplaceEdit::DropDownKeyMessage(TMessage& Message, WORD Key, TShiftState Shift) {
    if (!OffersDropDownKeys(activeEditStyle_) && !CalculatorAvailable())
        return false;
    // A typed character is no key: only the plain Enter and Esc characters count as those keys.
    if (IsKeyPress(Message.Msg) || ((Key == VK_RETURN || Key == VK_ESCAPE) && !Shift.Contains(ssCtrl))) {
        WORD key = Key;
        HandleDropDownKeys(key, Shift);
        if (key == 0) {
            Message.Result = 1;
            return true;
        }
    }
    if (OpensOnTypedChar(*this, Message))
        OpenDropDown();
    if (!listShown_ || activeDropDown_ == nullptr)
        return false;
    if (activeDropDown_ == calculatorDropDown_) {
        const bool typed = Message.Msg == WM_CHAR && (Key >= 32 || Key == VK_RETURN || Key == VK_ESCAPE);
        const bool closing = IsKeyPress(Message.Msg) && (Key == VK_RETURN || Key == VK_ESCAPE);
        if (!typed && !closing)
            return false;
        // The calculator works Enter out from its character: the key press stays unanswered, so
        // that its character follows.
        calculatorDropDown_->Perform(Message.Msg, Message.WParam, Message.LParam);
        return true;
    }
    if (!IsKeyPress(Message.Msg) || !IsListMoveKey(Key, Shift, activeDropDown_ == calendarDropDown_))
        return false;
    PassKeyToList(*activeDropDown_, Message);
    ShowListTextInEditor();
    return true;
}

// The open list's current row shows in the editor; the grid keeps its text until the list closes
// with the choice.
void TDBGridInplaceEdit::ShowListTextInEditor() {
    std::string text;
    if (activeEditStyle_ == esDataListEh && dataList_ != nullptr && activeDropDown_ == dataList_) {
        text = dataList_->SelectedText();
    } else if (activeEditStyle_ == esPickListEh && pickList_ != nullptr && activeDropDown_ == pickList_) {
        const int index = pickList_->ItemIndex();
        if (index < 0 || (*pickList_->Items())[index] == Text())
            return;
        text = (*pickList_->Items())[index];
    } else {
        return;
    }
    SetChangeGuard(true);
    try {
        SetText(text);
    } catch (...) {
        SetChangeGuard(false);
        throw;
    }
    SetChangeGuard(false);
}

bool TDBGridInplaceEdit::MRUListKeyMessage(TMessage& Message, WORD Key, TShiftState Shift) {
    if (mruList_ == nullptr || !mruList_->DroppedDown() || mruListWindow_ == nullptr)
        return false;
    if (IsKeyPress(Message.Msg) && IsMRUListMoveKey(Key, Shift))
        return PassKeyToList(*mruListWindow_, Message);
    if (Key != VK_RETURN && Key != VK_ESCAPE)
        return false;
    // The key press of Enter or Esc stays away from the grid (which would post or cancel the
    // record) unanswered, so that its character follows: the character closes the list.
    if (Message.Msg == WM_CHAR) {
        MRUListClosed(Key == VK_RETURN);
        Message.Result = 1;
    }
    return true;
}
