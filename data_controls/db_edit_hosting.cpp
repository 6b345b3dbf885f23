// The edit control hosted by a holder (a grid's cell editor): the holder sees every message first,
// and moves, shows and hides the editor's window without the control's own showing logic.
#include "data_controls/db_edit.h"
#include "data_controls/edit_button_metrics.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/form.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/window_functions.h"

namespace {

// Focuses the window itself: the editor is shown by its window, whatever its Visible says.
void FocusWindow(TWinControl& control) {
    if (TCustomForm* form = GetParentForm(&control))
        form->FocusControl(form == &control ? nullptr : &control);
}

}  // namespace

void TCustomDBEditEh::AttachEditHolder(TWinControl* Holder) {
    if (Holder == editHolder_)
        return;
    if (Holder == nullptr) {
        editHolder_ = nullptr;
        editHolderIntf_ = nullptr;
        inplaceMode_ = false;
        return;
    }
    auto* intf = dynamic_cast<IInplaceEditHolderEh*>(Holder);
    if (intf == nullptr)
        throw Exception("InplaceEditHolder have to support IInplaceEditHolderEh interface");
    editHolder_ = Holder;
    editHolderIntf_ = intf;
    inplaceMode_ = true;
}

void TCustomDBEditEh::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

bool TCustomDBEditEh::HolderWindowProc(TMessage& Message) {
    if (!inplaceMode_)
        return true;
    editHolderIntf_->EditorWindowProc(this, Message);
    return Message.Result == 0;
}

bool TCustomDBEditEh::InplaceMessage(TMessage& Message) {
    if (!inplaceMode_)
        return false;
    switch (Message.Msg) {
        case WM_SETFOCUS: {
            // The holder stays its form's control; a form that does not hold it refuses.
            TCustomForm* form = GetParentForm(this);
            if (form != nullptr && !form->ContainsControl(editHolder_))
                return true;
            TCustomMaskEdit::WndProc(Message);
            return true;
        }
        case WM_LBUTTONDOWN: {
            // The first click may have landed on the holder, which opened the editor under it.
            TPoint holderPoint;
            DWORD holderTime = 0;
            editHolderIntf_->EditorMouseDownPlace(holderPoint, holderTime);
            TPoint here = ClientToScreen(PointFromLParam(Message.LParam));
            long long elapsed = static_cast<long long>(GetMessageTime()) - static_cast<long long>(holderTime);
            if (IsSecondClick(holderPoint, here, elapsed))
                Message.Msg = WM_LBUTTONDBLCLK;
            return false;
        }
        case CM_SHOWINGCHANGED:
            return true;
        default:
            return false;
    }
}

void TCustomDBEditEh::SetEditorBounds(const TRect& R) {
    if (!inplaceMode_) {
        SetBoundsRect(R);
        return;
    }
    if (R.IsEmpty()) {
        Hide();
        return;
    }
    HWND wnd = Handle();
    Invalidate();
    Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(editHolder_));
    SetWindowPos(wnd, 0, R.Left, R.Top, R.Width(), R.Height(), SWP_SHOWWINDOW | SWP_NOREDRAW);
    Invalidate();
    if (editHolder_->Focused())
        FocusWindow(*this);
}

void TCustomDBEditEh::Hide() {
    if (!inplaceMode_) {
        TCustomMaskEdit::SetVisible(false);
        return;
    }
    if (!HandleAllocated() || !WindowVisible())
        return;
    bool hadFocus = Focused();
    Invalidate();
    SetWindowPos(Handle(), 0, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOZORDER);
    if (hadFocus)
        FocusWindow(*editHolder_);
}

bool TCustomDBEditEh::Visible() const {
    return inplaceMode_ ? WindowVisible() : TCustomMaskEdit::Visible();
}

void TCustomDBEditEh::SetVisible(bool value) {
    if (inplaceMode_ && !value)
        Hide();
    else
        TCustomMaskEdit::SetVisible(value);
}

void TCustomDBEditEh::SetFocus() {
    if (!inplaceMode_) {
        TCustomMaskEdit::SetFocus();
        return;
    }
    if (WindowVisible())
        FocusWindow(*this);
}
