// The grid editor's drop-downs close, without the choice, when the user turns elsewhere: a press
// outside the editor and its lists, or the focus leaving for a window that is not the open list.
#include "data_controls/mru_list.h"
#include "data_controls/mru_listbox.h"
#include "data_grid/grid_inplace_edit.h"

namespace {

bool IsWithin(const TControl* Control, const TControl* Container) {
    for (; Control != nullptr; Control = Control->Parent())
        if (Control == Container)
            return true;
    return false;
}

bool IsWindowWithin(HWND Window, TWinControl* Container) {
    return Window != 0 && Container != nullptr && IsWithin(FindControl(Window), Container);
}

}  // namespace

void TDBGridInplaceEdit::CMCancelMode(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
    const auto* from = reinterpret_cast<const TControl*>(Message.LParam);
    if (IsWithin(from, this))
        return;
    if (listShown_ && !IsWithin(from, activeDropDown_))
        CloseDropDown(false);
    if (mruList_ != nullptr && mruList_->DroppedDown() && !IsWithin(from, mruListWindow_))
        MRUListClosed(false);
}

void TDBGridInplaceEdit::WMKillFocus(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
    const auto to = static_cast<HWND>(Message.WParam);
    if (listShown_) {
        if (!IsWindowWithin(to, activeDropDown_))
            CloseDropDown(false);
    } else if (mruList_ != nullptr && mruList_->DroppedDown() &&
               (mruListWindow_ == nullptr || !mruListWindow_->HandleAllocated() ||
                to != mruListWindow_->Handle())) {
        MRUListClosed(false);
    }
    if (TCustomDBGridEh* grid = OwnerGrid())
        grid->RepaintSelectionOnFocusChange();
}

void TDBGridInplaceEdit::WMSetFocus(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
    if (TCustomDBGridEh* grid = OwnerGrid())
        grid->RepaintSelectionOnFocusChange();
}
