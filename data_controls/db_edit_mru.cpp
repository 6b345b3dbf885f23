// The edit control's side of the remembered texts: opening the list while the user types, keys while
// it is open, taking a choice, and what the user's resizing leaves for next time.
#include "data_controls/db_edit.h"
#include "data_controls/drop_down_placement.h"
#include "data_controls/mru_listbox.h"
#include "data_controls/open_list_messages.h"
#include "data_controls/popup_listbox.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/strings.h"
#include "platform/ui/edit_mask.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

namespace {

bool IsListNavigationKey(WORD key, TShiftState shift) {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            return !shift.Contains(ssAlt);
        case VK_HOME:
        case VK_END:
            return shift.Contains(ssCtrl);
        default:
            return false;
    }
}

}  // namespace

TMRUListboxEh* TCustomDBEditEh::MRUListBox() {
    if (mruListBox_ == nullptr)
        mruListBox_ = NewMRUListBox();
    return mruListBox_;
}

TMRUListboxEh* TCustomDBEditEh::NewMRUListBox() {
    auto* list = NewComponent<TMRUListboxEh>(this);
    list->SetVisible(false);
    list->SetCtl3D(false);
    list->SetParentCtl3D(false);
    if (auto* items = dynamic_cast<TStringList*>(list->Items()))
        items->SetSorted(true);
    list->SetParent(this);
    list->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        MRUListBoxMouseUp(sender, button, shift, x, y);
    };
    return list;
}

TRect TCustomDBEditEh::ScreenTextRect() {
    TRect rect;
    Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const TPoint topLeft = ClientToScreen({rect.Left, rect.Top});
    const TPoint bottomRight = ClientToScreen({rect.Right, rect.Bottom});
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

void TCustomDBEditEh::MRUListDropDown() {
    TMRUListboxEh* list = MRUListBox();
    const bool gripResized = list->SizeGripResized;
    if (!mruList_->FilterByPrefix(*list->Items(), Text()))
        mruList_->CloseUp(false);
    const int matches = list->Items()->Count();
    list->SizeForRows(matches < mruList_->Rows() ? matches : mruList_->Rows());
    if (mruList_->DroppedDown) {
        const TPoint at = PlaceDropDownByRect(ScreenTextRect(), list, daLeft);
        SetWindowPos(list->Handle(), 0, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
        list->SizeGripResized = gripResized;
    }
    if (matches == 0) {
        if (mruList_->DroppedDown)
            mruList_->CloseUp(false);
        return;
    }
    if (mruList_->DroppedDown)
        return;
    OpenMRUListBox(*list, matches);
}

void TCustomDBEditEh::OpenMRUListBox(TMRUListboxEh& list, int matches) {
    list.SetColor(Color());
    list.SetFont(*Font());
    list.SetItemHeight(GetFontTextHeight(this));
    list.SetItemIndex(-1);
    if (matches < list.RowCount())
        list.SizeForRows(matches);
    const TRect textRect = ScreenTextRect();
    list.SetWidth(textRect.Width());
    const TPoint at = PlaceDropDownByRect(textRect, &list, daLeft);
    list.SetBounds(at.X, at.Y, list.Width(), list.Height());
    list.SetVisible(true);
    ShowWindow(list.Handle(), SW_SHOWNOACTIVATE);
    if (TSizeGripEh* grip = list.SizeGrip()) {
        grip->SetVisible(true);
        grip->OnParentResized = [this](TObject* sender) { MRUListBoxResized(sender); };
    }
    list.ArrangeScrollBar();
    mruList_->DroppedDown = true;
    list.SizeGripResized = false;
}

void TCustomDBEditEh::MRUListCloseUp(bool Accept) {
    if (!mruList_->DroppedDown || mruListBox_ == nullptr)
        return;
    TMRUListboxEh& list = *mruListBox_;
    // Marked closed first: the cancel-mode below comes back here when the edit holds the mouse.
    mruList_->DroppedDown = false;
    if (TControl* capture = GetCaptureControl())
        capture->Perform(WM_CANCELMODE);
    SetWindowPos(list.Handle(), 0, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool listFocused = list.Focused();
    list.SetVisible(false);
    if (listFocused && CanFocus())
        SetFocus();
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
    if (!mruList_ || !mruList_->DroppedDown || mruListBox_ == nullptr)
        return false;
    if (Message.Msg == WM_MOUSEWHEEL)
        return PassWheelToList(*mruListBox_, Message);
    // Only keys are compared: typed characters whose codes match key codes go into the text.
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN)
        return false;
    const auto key = static_cast<WORD>(Message.WParam);
    if (IsListNavigationKey(key, KeyDataToShiftState(Message.LParam)))
        return PassKeyToList(*mruListBox_, Message);
    if (key == VK_RETURN || key == VK_ESCAPE) {
        mruList_->CloseUp(key == VK_RETURN);
        Message.Result = 1;
        return true;
    }
    return false;
}

void TCustomDBEditEh::AcceptMRUItem(const std::string& Text, bool& Accept) {
    const std::u32string prefix = Utf8ToUtf32(this->Text());
    const std::u32string item = Utf8ToUtf32(Text);
    Accept = false;
    if (item.size() >= prefix.size()) {
        const std::string head = Utf32ToUtf8(item.substr(0, prefix.size()));
        Accept = mruList_->CaseSensitive() ? CompareStr(head, this->Text()) == 0
                                           : AnsiCompareText(head, this->Text()) == 0;
    }
    if (mruList_->OnFilterItem)
        mruList_->OnFilterItem(this, Text, Accept);
}

void TCustomDBEditEh::MRUListBoxResized(TObject* Sender) {
    (void)Sender;
    if (!mruList_->DroppedDown || mruListBox_ == nullptr)
        return;
    mruList_->SetRows(mruListBox_->RowCount());
    mruList_->Width = mruListBox_->Width();
}

std::string TCustomDBEditEh::BlankEditText() const {
    if (!IsMasked())
        return "";
    return Utf32ToUtf8(TEditMask(EditMask()).BlankEditText());
}

void TCustomDBEditEh::TextChangedByUser() {
    // What a password edit holds is neither remembered nor offered.
    if (IsPassword())
        return;
    const std::string blank = BlankEditText();
    if (mruList_->DroppedDown && EditText() == blank) {
        mruList_->CloseUp(false);
        return;
    }
    if (mruList_->Active() && IsShowing() && !droppedDown_ && EditText() != blank)
        mruList_->DropDown();
}

void TCustomDBEditEh::CloseMRUListOnExit(HWND focusedWnd) {
    if (!mruList_->DroppedDown)
        return;
    if (mruListBox_ != nullptr && mruListBox_->HandleAllocated() && focusedWnd == mruListBox_->Handle())
        return;
    mruList_->CloseUp(false);
}

void TCustomDBEditEh::OpenMRUListOnBackspace() {
    if (mruList_->Active() && IsShowing() && !mruList_->DroppedDown && !IsPassword())
        mruList_->DropDown();
}
