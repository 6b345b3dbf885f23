#include "platform/ui/form.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/win_control.h"

TShiftState CurrentShiftState() {
    return platform::ui::MessageShiftState();
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState shift = platform::ui::MessageShiftState();
    if (keyData & KF_ALTDOWN_BIT)
        shift.Include(ssAlt);
    return shift;
}

std::int16_t GetKeyState(int virtualKey) {
    TShiftState shift = platform::ui::MessageShiftState();
    auto held = [&](TShiftStateItem item) { return shift.Contains(item); };
    bool down = false;
    switch (virtualKey) {
        case VK_SHIFT:
            down = held(ssShift);
            break;
        case VK_CONTROL:
            down = held(ssCtrl);
            break;
        case VK_MENU:
            down = held(ssAlt);
            break;
        case VK_LBUTTON:
            down = held(ssLeft);
            break;
        case VK_RBUTTON:
            down = held(ssRight);
            break;
        case VK_MBUTTON:
            down = held(ssMiddle);
            break;
        default:
            break;
    }
    return down ? std::int16_t{-0x8000} : std::int16_t{0};
}

namespace {

bool IsDialogKey(WORD key) {
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT ||
           key == VK_UP || key == VK_DOWN || key == VK_EXECUTE || key == VK_CANCEL;
}

bool KeptByControl(WORD key, LRESULT code) {
    if (code & DLGC_WANTALLKEYS)
        return true;
    if (key == VK_TAB)
        return (code & DLGC_WANTTAB) != 0;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
        return (code & DLGC_WANTARROWS) != 0;
    return false;
}

// The popup menus of the control and the controls holding it are asked first, nearest first.
bool IsMenuKey(TControl* control, WORD key, TShiftState shift) {
    for (; control != nullptr; control = control->Parent())
        if (TPopupMenu* menu = control->PopupMenu(); menu != nullptr && menu->IsShortCut(key, shift))
            return true;
    return false;
}

}  // namespace

void TWinControl::WMKeyDown(TMessage& Message) {
    WORD key = static_cast<WORD>(Message.WParam);
    TShiftState shift = KeyDataToShiftState(Message.LParam);
    if (IsMenuKey(this, key, shift)) {
        Message.Result = 1;
        return;
    }
    TCustomForm* form = ParentForm();
    if (form != nullptr && form != this && form->KeyPreview) {
        form->KeyDown(key, shift);
        if (key == 0) {
            Message.Result = 1;
            return;
        }
    }
    KeyDown(key, shift);
    if (key == 0) {
        Message.Result = 1;
        return;
    }
    Message.WParam = key;
    // The control is asked by message, so a class that handles WM_GETDLGCODE or CM_WANTSPECIALKEY
    // in its message handlers keeps the key as surely as one that overrides DialogCode.
    if (IsDialogKey(key) && Perform(CM_WANTSPECIALKEY, key, Message.LParam) == 0 &&
        !KeptByControl(key, Perform(WM_GETDLGCODE, key, 0)) && form != nullptr &&
        form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) {
        Message.Result = 1;
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
    WORD key = static_cast<WORD>(Message.WParam);
    TShiftState shift = KeyDataToShiftState(Message.LParam);
    TCustomForm* form = ParentForm();
    if (form != nullptr && form != this && form->KeyPreview) {
        form->KeyUp(key, shift);
        if (key == 0) {
            Message.Result = 1;
            return;
        }
    }
    KeyUp(key, shift);
    if (key == 0) {
        Message.Result = 1;
        return;
    }
    Message.WParam = key;
    // The context-menu key and Shift+F10 ask for the menu at the control, not at a point.
    if (key == VK_APPS || (key == VK_F10 && shift.Contains(ssShift))) {
        Message.Result = Perform(WM_CONTEXTMENU, Handle(), MakeLParam(-1, -1));
        return;
    }
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
    char32_t ch = static_cast<char32_t>(Message.WParam);
    TCustomForm* form = ParentForm();
    if (form != nullptr && form != this && form->KeyPreview) {
        form->KeyPress(ch);
        if (ch == 0) {
            Message.Result = 1;
            return;
        }
    }
    KeyPress(ch);
    if (ch == 0) {
        Message.Result = 1;
        return;
    }
    Message.WParam = ch;
    // A control that types no characters lets them choose an accelerator.
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
        (Message.Result = OfferDialogChar(Message)) != 0)
        return;
    DefaultHandler(Message);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
}
