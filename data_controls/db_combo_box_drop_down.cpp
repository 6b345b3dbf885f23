// The combo box's list: making it, dropping it down sized for the items, keys, wheel and focus while
// it is open, and closing it up with or without the choice, keeping the size the user gave it.
#include <algorithm>

#include "data_controls/db_combo_box.h"
#include "data_controls/open_list_messages.h"
#include "platform/ui/image_list.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/top_level.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"
#include "platform/ui/window_styles.h"

namespace {

bool IsListNavigationKey(WORD key, TShiftState shift) {
    switch (key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            return true;
        case VK_HOME:
        case VK_END:
            return shift.Contains(ssCtrl);
        default:
            return false;
    }
}

}  // namespace

TPopupListboxEh* TCustomDBComboBoxEh::EnsurePopupList() {
    if (popupList_ != nullptr)
        return popupList_;
    popupList_ =
        popupListboxClass_ != nullptr ? popupListboxClass_(this) : NewComponent<TPopupListboxEh>(this);
    popupList_->SetVisible(false);
    popupList_->SetCtl3D(true);
    popupList_->SetParent(this);
    ShowWindow(popupList_->Handle(), SW_HIDE);
    popupList_->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        ListMouseUp(sender, button, shift, x, y);
    };
    popupList_->OnGetImageIndex = [this](TObject*, int index, int& imageIndex) {
        if (OnGetItemImageIndex)
            OnGetItemImageIndex(this, index, imageIndex);
    };
    return popupList_;
}

void TCustomDBComboBoxEh::SizeDropDown(TPopupListboxEh& list) {
    const int rows = dropDownBox_->Rows();
    list.SizeForRows(items_->Count() < rows ? items_->Count() : rows);
    int width = dropDownBox_->Width();
    if (width == -1) {
        int client = WidestTextWidth(*items_, *Font()) + 5;
        if (Images() != nullptr)
            client += Images()->Width() + 4;
        width = client + list.Width() - list.ClientWidth();
    } else if (width < 1) {
        width = Width();
    }
    list.SetWidth(std::max(width, Width()));
}

void TCustomDBComboBoxEh::OpenDropDown() {
    if (listVisible_)
        return;
    TCustomDBEditEh::OpenDropDown();
    if (OnDropDown)
        OnDropDown(this);
    RequestItems();
    TPopupListboxEh& list = *EnsurePopupList();
    list.SetColor(Color());
    list.SetFont(*Font());
    list.SetImages(Images());
    int rowHeight = GetFontTextHeight(this);
    if (Images() != nullptr && EditImage()->UseImageHeight() && rowHeight < Images()->Height() + 1)
        rowHeight = Images()->Height() + 1;
    list.SetItemHeight(rowHeight);
    list.SetItemsSource(items_.get());
    list.SetItemIndex(itemIndex_);
    SizeDropDown(list);
    const TPoint at = PlaceDropDownByControl(this, &list, dropDownBox_->Align());
    list.SetBounds(at.X, at.Y, list.Width(), list.Height());
    ShowWindow(list.Handle(), SW_SHOWNOACTIVATE);
    list.SetVisible(true);
    if (TSizeGripEh* grip = list.SizeGrip())
        grip->SetVisible(dropDownBox_->Sizable());
    listVisible_ = true;
    list.SetSizeGripResized(false);
}

void TCustomDBComboBoxEh::DoCloseDropDown(bool Accept) {
    if (!listVisible_ || popupList_ == nullptr)
        return;
    TPopupListboxEh& list = *popupList_;
    // Marked closed first: the cancel-mode below may come back here.
    listVisible_ = false;
    if (TControl* capture = GetCaptureControl())
        capture->Perform(WM_CANCELMODE);
    SetWindowPos(list.Handle(), 0, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool listFocused = list.Focused();
    list.SetVisible(false);
    if (list.SizeGripResized()) {
        dropDownBox_->SetRows(list.RowCount());
        dropDownBox_->SetWidth(list.Width());
    }
    if (listFocused && CanFocus())
        SetFocus();
    TCustomDBEditEh::DoCloseDropDown(Accept);
    bool accept = Accept;
    if (ClosingUpHook)
        ClosingUpHook(this, accept);
    if (accept && !ReadOnly() && DataLink()->BeginEditing()) {
        ApplyItemIndex(list.ItemIndex());
        if (Focused())
            SelectAll();
    }
    if (OnCloseUp)
        OnCloseUp(this, accept);
}

void TCustomDBComboBoxEh::ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    (void)Sender;
    (void)Shift;
    if (Button == mbLeft && popupList_ != nullptr)
        CloseDropDown(popupList_->ClientRect().Contains({X, Y}));
}

bool TCustomDBComboBoxEh::EditButtonShortCut(WORD key, TShiftState shift) const {
    const TShortCut pressed = ShortCut(key, shift);
    if (EditButton()->ShortCut() != 0 && EditButton()->ShortCut() == pressed)
        return true;
    for (int i = 0; i < EditButtons()->Count(); ++i)
        if (EditButtons()->GetButton(i)->ShortCut() != 0 &&
            EditButtons()->GetButton(i)->ShortCut() == pressed)
            return true;
    return false;
}

bool TCustomDBComboBoxEh::ListOpenMessage(TMessage& Message) {
    if (!listVisible_ || popupList_ == nullptr)
        return false;
    if (Message.Msg == WM_MOUSEWHEEL)
        return PassWheelToList(*popupList_, Message);
    // Only keys are compared: characters whose codes equal key codes ('!', '(' ...) are typed.
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN)
        return false;
    const auto key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyDataToShiftState(Message.LParam);
    if (EditButtonShortCut(key, shift))
        return false;
    if (key == VK_RETURN || key == VK_ESCAPE) {
        CloseDropDown(key == VK_RETURN);
        Message.Result = 1;
        return true;
    }
    if (!IsListNavigationKey(key, shift))
        return false;
    return PassKeyToList(*popupList_, Message);
}

void TCustomDBComboBoxEh::WndProc(TMessage& Message) {
    if (ListOpenMessage(Message))
        return;
    TCustomDBEditEh::WndProc(Message);
}

void TCustomDBComboBoxEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_WANTSPECIALKEY:
            if (listVisible_ && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_KILLFOCUS:
            if (listVisible_ && (popupList_ == nullptr || !popupList_->HandleAllocated() ||
                                 static_cast<HWND>(Message.WParam) != popupList_->Handle()))
                CloseDropDown(false);
            break;
        case CM_CANCELMODE: {
            auto* from = reinterpret_cast<TControl*>(Message.LParam);
            const bool own = from == this || (from != nullptr && popupList_ != nullptr &&
                                              (from == popupList_ || from->Parent() == popupList_));
            if (listVisible_ && !own)
                CloseDropDown(false);
            break;
        }
        case WM_PASTE:
            if (keyBased_) {
                PasteSearch();
                return;
            }
            break;
        case WM_SETCURSOR:
            // A key-based box is a pick list: the arrow over all of it.
            if (keyBased_ && LoWordSigned(Message.LParam) == HTCLIENT) {
                platform::ui::ShowPointer(*this, crArrow);
                Message.Result = 1;
                return;
            }
            break;
        case WM_CHAR: {
            typedChar_ = 0;
            TCustomDBEditEh::Dispatch(Message);
            if (const char32_t typed = std::exchange(typedChar_, 0); typed != 0)
                CompleteTyped(typed);
            return;
        }
        default:
            break;
    }
    TCustomDBEditEh::Dispatch(Message);
}
