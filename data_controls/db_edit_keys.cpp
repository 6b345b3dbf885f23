// The edit control's messages, keys and focus: what begins editing, what is refused, Escape, and
// committing when the focus leaves.
#include <algorithm>

#include "data_controls/db_edit.h"
#include "data_controls/mru_listbox.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/strings.h"
#include "platform/ui/input.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/shortcuts.h"
#include "platform/ui/system_parameters.h"
#include "platform/ui/top_level.h"
#include "platform/ui/virtual_keys.h"

namespace {

// Messages by which the user changes the text: the clipboard ones here, keys in DefaultHandler.
bool IsClipboardEditMessage(UINT msg) {
    return msg == WM_PASTE || msg == WM_CUT || msg == WM_UNDO || msg == WM_CLEAR;
}

}  // namespace

void TCustomDBEditEh::WndProc(TMessage& Message) {
    if (inplaceMode_ && !HolderWindowProc(Message))
        return;
    if (inplaceMode_ && InplaceMessage(Message))
        return;
    if (MRUListKey(Message))
        return;
    TCustomMaskEdit::WndProc(Message);
}

void TCustomDBEditEh::Dispatch(TMessage& Message) {
    if (MouseOffTheText(Message))
        return;
    switch (Message.Msg) {
        case CM_GETDATALINK:
            Message.Result = reinterpret_cast<LRESULT>(dataLink_.get());
            return;
        case CM_EDITIMAGECHANGEDEH:
            ImageChanged();
            return;
        case CM_IGNOREEDITDOWNEH:
            // Its only use is to be found waiting by the next press of the button.
            return;
        case CM_WANTSPECIALKEY:
            if (WantsSpecialKey(static_cast<WORD>(Message.WParam))) {
                Message.Result = 1;
                return;
            }
            break;
        case WM_CHAR:
            completeKeyPress_ = Utf32ToUtf8(std::u32string(1, static_cast<char32_t>(Message.WParam)));
            break;
        case WM_PASTE:
        case WM_CUT:
        case WM_UNDO:
            BeginEditingUnlessReadOnly();
            break;
        case WM_SETFOCUS:
            TCustomMaskEdit::Dispatch(Message);
            RefreshBorderState();
            Invalidate();
            return;
        case WM_KILLFOCUS:
            TCustomMaskEdit::Dispatch(Message);
            CloseMRUListOnExit(static_cast<HWND>(Message.WParam));
            RefreshBorderState();
            Invalidate();
            CancelChildCapture();
            return;
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            CancelMode(Message);
            break;
        case CM_ENABLEDCHANGED:
        case CM_COLORCHANGED:
            TCustomMaskEdit::Dispatch(Message);
            UpdateEditButtonControlsState();
            return;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            return;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            return;
        case CM_HINTSHOW:
            CMHintShow(Message);
            return;
        case CM_PARENTSHOWHINTCHANGED:
            CMParentShowHintChanged(Message);
            return;
        case CM_SYSCOLORCHANGE:
            CMSysColorChange(Message);
            return;
        case WM_NCPAINT:
            WMNCPaint(Message);
            return;
        case WM_SETCURSOR:
            if (ArrowOverButtonsOrImage(Message))
                return;
            break;
        default:
            break;
    }
    if (IsClipboardEditMessage(Message.Msg)) {
        TFlagScope byUser(userTextChanged_);
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    TCustomMaskEdit::Dispatch(Message);
}

void TCustomDBEditEh::DefaultHandler(TMessage& Message) {
    // Only the edit window's own response to a key is the user's change: what the key handlers
    // did before (beginning to edit reloads the record) is not.
    if (Message.Msg == WM_CHAR || Message.Msg == WM_KEYDOWN) {
        TFlagScope byUser(userTextChanged_);
        TCustomMaskEdit::DefaultHandler(Message);
        return;
    }
    TCustomMaskEdit::DefaultHandler(Message);
}

bool TCustomDBEditEh::MouseOffTheText(const TMessage& Message) const {
    // The buttons themselves take their presses; the rest of their row and the image are no text.
    if (!IsMouseMessage(Message.Msg) || Message.Msg == WM_MOUSEWHEEL || GetCaptureControl() != nullptr)
        return false;
    const TPoint at = PointFromLParam(Message.LParam);
    return PointInButtonsOrImage(at) && ControlAtPos(at, false) == nullptr;
}

bool TCustomDBEditEh::ArrowOverButtonsOrImage(TMessage& Message) {
    TPoint pointer;
    if (LoWordSigned(Message.LParam) != HTCLIENT || !GetCursorPos(pointer) ||
        !PointInButtonsOrImage(ScreenToClient(pointer)))
        return false;
    platform::ui::ShowPointer(*this, crArrow);
    Message.Result = 1;
    return true;
}

bool TCustomDBEditEh::WantsSpecialKey(WORD key) const {
    const bool listOpen = mruList_->DroppedDown() && mruListBox_ != nullptr && mruListBox_->ItemIndex() >= 0;
    if ((key == VK_RETURN || key == VK_ESCAPE) && listOpen)
        return true;
    return key == VK_ESCAPE && Modified();
}

LRESULT TCustomDBEditEh::DialogCode() const {
    LRESULT code = DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS;
    if (inplaceMode_ && editHolder_ != nullptr && (editHolder_->Perform(WM_GETDLGCODE) & DLGC_WANTTAB) != 0)
        code |= DLGC_WANTTAB;
    return code;
}

void TCustomDBEditEh::BeginEditingUnlessReadOnly() {
    if (!readOnly_)
        dataLink_->BeginEditing();
}

bool TCustomDBEditEh::ButtonShortCut(WORD key, TShiftState shift) {
    const TShortCut pressed = ShortCut(key, shift);
    for (std::size_t i = 0; i < buttonControls_.size(); ++i) {
        const TEditButtonEh& button =
            i == 0 ? *editButton_ : *editButtons_->GetButton(static_cast<int>(i) - 1);
        if (button.ShortCut() == 0 || button.ShortCut() != pressed)
            continue;
        TEditButtonControlEh& control = *buttonControls_[i].EditButtonControl;
        bool autoRepeat = false;
        control.FireOnDown(false, autoRepeat);
        control.Click();
        return true;
    }
    return false;
}

void TCustomDBEditEh::KeyDown(WORD& Key, TShiftState Shift) {
    if (inplaceMode_ && editHolderIntf_ != nullptr) {
        editHolderIntf_->EditorKeyDown(this, Key, Shift);
        if (Key == 0)
            return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if (ButtonShortCut(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool ctrlOnly = Shift == TShiftState{ssCtrl};
    if (Key == 'A' && ctrlOnly) {
        SelectAll();
        return;
    }
    // The platform's edit pastes, cuts and undoes on the key itself, so editing begins here too.
    const bool clipboardOrUndo = ((Key == 'V' || Key == 'X' || Key == 'Z') && ctrlOnly) ||
                                 (Key == VK_DELETE && Shift.Contains(ssShift));
    if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)) || clipboardOrUndo)
        BeginEditingUnlessReadOnly();
}

void TCustomDBEditEh::KeyUp(WORD& Key, TShiftState Shift) {
    if (inplaceMode_ && editHolderIntf_ != nullptr) {
        editHolderIntf_->EditorKeyUp(this, Key, Shift);
        if (Key == 0)
            return;
    }
    TCustomMaskEdit::KeyUp(Key, Shift);
}

void TCustomDBEditEh::KeyPress(char32_t& Key) {
    if (inplaceMode_ && editHolderIntf_ != nullptr) {
        editHolderIntf_->EditorKeyPress(this, Key);
        if (Key == 0)
            return;
    }
    TCustomMaskEdit::KeyPress(Key);
    if (Key == 0)
        return;
    if (!IsUnbound() && Field() != nullptr && Key >= 32 && !AcceptsChar(Key)) {
        MessageBeep(0);
        Key = 0;
        return;
    }
    if (Key == U'\b' || Key == 22 || Key == 24 || Key >= 32) {
        BeginEditingUnlessReadOnly();
    } else if (Key == 27) {
        dataLink_->ReloadRecord();
        SelectAll();
        Key = 0;
        return;
    }
    if (Key == U'\b' && Text().empty())
        OpenMRUListOnBackspace();
    if (Key == U'\r' || Key == U'\t' || Key == U'\n')
        Key = 0;
}

void TCustomDBEditEh::DoEnter() {
    SetFocusedState(true);
    TCustomMaskEdit::DoEnter();
    // The window is multi-line, which the platform's edit never selects on entry by itself.
    if (AutoSelect && GetKeyState(VK_LBUTTON) >= 0)
        SelectAll();
}

void TCustomDBEditEh::DoExit() {
    try {
        TCustomMaskEdit::DoExit();
        dataLink_->UpdateRecord();
    } catch (...) {
        SelectAll();
        SetFocus();
        throw;
    }
    SetFocusedState(false);
    CheckCursor();
}

void TCustomDBEditEh::CheckCursor() {
    if (IsMasked() && HandleAllocated() && SelLength() == 0)
        SetSelStart(std::max(0, SelStart() - 2));
}

void TCustomDBEditEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
    // A press that did not bring the focus here must not keep the mouse.
    if (Button == mbLeft && !Focused() && GetCaptureControl() == this)
        ReleaseCapture();
}

void TCustomDBEditEh::CancelChildCapture() {
    TControl* capture = GetCaptureControl();
    if (capture != nullptr && capture != this && capture->Parent() == this)
        capture->Perform(WM_CANCELMODE);
}

void TCustomDBEditEh::CancelMode(TMessage& Message) {
    // Cancel-mode from the edit itself, its list or the list's parts leaves the list open.
    auto* from = reinterpret_cast<TControl*>(Message.LParam);
    const bool own = from == this || (from != nullptr && mruListBox_ != nullptr &&
                                      (from == mruListBox_ || from->Parent() == mruListBox_));
    if (Message.Msg == CM_CANCELMODE && own)
        return;
    if (mruList_->DroppedDown())
        mruList_->CloseUp(false);
    CancelChildCapture();
}
