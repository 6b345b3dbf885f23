// The edit control's side of the remembered texts: opening the list while the user types, keys while
// it is open, taking a choice, and what the user's resizing leaves for next time.
#include "data_controls/db_edit.h"
#include "data_controls/mru_list_drop_down.h"
#include "data_controls/mru_listbox.h"
#include "data_controls/open_list_messages.h"
#include "data_controls/popup_listbox.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

TMRUListboxEh* TCustomDBEditEh::MRUListBox() {
    if (mruListBox_ == nullptr)
        mruListBox_ = NewMRUListBox();
    return mruListBox_;
}

TMRUListboxEh* TCustomDBEditEh::NewMRUListBox() {
    return NewMRUListBoxFor(*this, [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                          int y) { MRUListBoxMouseUp(sender, button, shift, x, y); });
}

void TCustomDBEditEh::MRUListDropDown() {
    TMRUListboxEh* list = MRUListBox();
    const bool gripResized = list->SizeGripResized();
    if (!mruList_->FilterByPrefix(*list->Items(), Text()))
        mruList_->CloseUp(false);
    const int matches = list->Items()->Count();
    list->SizeForRows(matches < mruList_->Rows() ? matches : mruList_->Rows());
    if (mruList_->DroppedDown()) {
        MoveMRUListBox(*list, ScreenTextRectOf(*this));
        list->SetSizeGripResized(gripResized);
    }
    if (matches == 0) {
        if (mruList_->DroppedDown())
            mruList_->CloseUp(false);
        return;
    }
    if (mruList_->DroppedDown())
        return;
    StyleMRUListBox(*list, *this);
    if (matches < list->RowCount())
        list->SizeForRows(matches);
    const TRect textRect = ScreenTextRectOf(*this);
    ShowMRUListBox(*list, *mruList_, textRect, textRect.Width(),
                   [this](TObject* sender) { MRUListBoxResized(sender); });
}

void TCustomDBEditEh::MRUListCloseUp(bool Accept) {
    if (!mruList_->DroppedDown() || mruListBox_ == nullptr)
        return;
    TMRUListboxEh& list = *mruListBox_;
    HideMRUListBox(list, *mruList_, *this);
    if (!Accept || readOnly_ || !dataLink_->BeginEditing())
        return;
    if (list.ItemIndex() >= 0)
        ApplyText(list.Items()->Get(list.ItemIndex()));
    if (Focused())
        SelectAll();
}

void TCustomDBEditEh::MRUListBoxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                        int Y) {
    (void)Sender;
    (void)Shift;
    if (Button != mbLeft || mruListBox_ == nullptr)
        return;
    mruList_->CloseUp(mruListBox_->ClientRect().Contains({X, Y}));
}

bool TCustomDBEditEh::MRUListKey(TMessage& Message) {
    if (!mruList_ || !mruList_->DroppedDown() || mruListBox_ == nullptr)
        return false;
    if (Message.Msg == WM_MOUSEWHEEL)
        return PassWheelToList(*mruListBox_, Message);
    // Only keys are compared: typed characters whose codes match key codes go into the text.
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN)
        return false;
    const auto key = static_cast<WORD>(Message.WParam);
    if (IsMRUListMoveKey(key, KeyDataToShiftState(Message.LParam)))
        return PassKeyToList(*mruListBox_, Message);
    if (key == VK_RETURN || key == VK_ESCAPE) {
        mruList_->CloseUp(key == VK_RETURN);
        Message.Result = 1;
        return true;
    }
    return false;
}

void TCustomDBEditEh::AcceptMRUItem(const std::string& Text, bool& Accept) {
    Accept = MRUItemStartsWith(Text, this->Text(), mruList_->CaseSensitive());
    if (mruList_->OnFilterItem)
        mruList_->OnFilterItem(this, Text, Accept);
}

void TCustomDBEditEh::MRUListBoxResized(TObject* Sender) {
    (void)Sender;
    if (!mruList_->DroppedDown() || mruListBox_ == nullptr)
        return;
    KeepMRUListBoxSize(*mruListBox_, *mruList_);
}

void TCustomDBEditEh::TextChangedByUser() {
    // What a password edit holds is neither remembered nor offered.
    if (IsPassword())
        return;
    const std::string blank = BlankTextOf(*this);
    if (mruList_->DroppedDown() && EditText() == blank) {
        mruList_->CloseUp(false);
        return;
    }
    if (mruList_->Active() && IsShowing() && !droppedDown_ && EditText() != blank)
        mruList_->DropDown();
}

void TCustomDBEditEh::CloseMRUListOnExit(HWND focusedWnd) {
    if (!mruList_->DroppedDown())
        return;
    if (mruListBox_ != nullptr && mruListBox_->HandleAllocated() && focusedWnd == mruListBox_->Handle())
        return;
    mruList_->CloseUp(false);
}

void TCustomDBEditEh::OpenMRUListOnBackspace() {
    if (mruList_->Active() && IsShowing() && !mruList_->DroppedDown() && !IsPassword())
        mruList_->DropDown();
}
