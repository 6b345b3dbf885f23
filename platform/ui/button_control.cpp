#include "platform/ui/button_control.h"

#include "platform/ui/edit_messages.h"
#include "platform/ui/virtual_keys.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    // Clicks come from the button's own notice, not from the generic mouse handling.
    ControlStyle.Exclude(csClickEvents);
}

void TButtonControl::Notify(WORD code) {
    Perform(CN_COMMAND, static_cast<WPARAM>(MakeLong(0, code)), static_cast<LPARAM>(Handle()));
}

void TButtonControl::SetPushed(bool value) {
    if (value == pushed_)
        return;
    pushed_ = value;
    Invalidate();
}

bool TButtonControl::KeyMessage(TMessage& Message) {
    if (Message.WParam != VK_SPACE)
        return false;
    if (Message.Msg == WM_KEYDOWN) {
        SetPushed(true);
    } else if (pushed_) {
        SetPushed(false);
        Notify(BN_CLICKED);
    }
    return true;
}

void TButtonControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case BM_GETCHECK:
            Message.Result = static_cast<LRESULT>(checkState_);
            return;
        case BM_SETCHECK:
            if (Message.WParam != checkState_) {
                checkState_ = Message.WParam;
                Invalidate();
            }
            return;
        case BM_GETSTATE:
            Message.Result =
                static_cast<LRESULT>(checkState_) | (pushed_ ? BST_PUSHED : 0) | (Focused() ? BST_FOCUS : 0);
            return;
        case BM_SETSTATE:
            SetPushed(Message.WParam != 0);
            return;
        case BM_CLICK:
            Notify(BN_CLICKED);
            return;
        case CN_COMMAND:
            if (((Message.WParam >> 16) & 0xFFFF) == BN_CLICKED && !clicksDisabled_)
                Click();
            return;
        case WM_KILLFOCUS:
            SetPushed(false);
            break;
        default:
            break;
    }
    TCustomControl::Dispatch(Message);
}

void TButtonControl::DefaultHandler(TMessage& Message) {
    // Keys come here after OnKeyDown / OnKeyUp had their say.
    bool key = Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP;
    if (key && Enabled() && KeyMessage(Message))
        return;
    TCustomControl::DefaultHandler(Message);
}

void TButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && Enabled()) {
        if (!Focused() && CanFocus())
            SetFocus();
        tracking_ = true;
        SetPushed(true);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButtonControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (tracking_)
        SetPushed(ClientRect().Contains({X, Y}));
    TCustomControl::MouseMove(Shift, X, Y);
}

void TButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    bool click = Button == mbLeft && tracking_ && ClientRect().Contains({X, Y});
    if (Button == mbLeft) {
        tracking_ = false;
        SetPushed(false);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (click)
        Notify(BN_CLICKED);
}
