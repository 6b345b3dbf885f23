#include "platform/ui/push_button.h"

#include "platform/ui/accelerators.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/form.h"
#include "platform/ui/frame_controls.h"
#include "platform/ui/shift_state.h"
#include "platform/ui/virtual_keys.h"

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value) {
    if (value == default_)
        return;
    default_ = value;
    Invalidate();
}

bool TButton::TakesEnter() const {
    if (Focused())
        return true;
    const TCustomForm* form = GetParentForm(this);
    const bool otherButtonFocused =
        form != nullptr && dynamic_cast<TButton*>(form->ActiveControl()) != nullptr;
    return default_ && !otherButtonFocused;
}

void TButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_DIALOGKEY:
            DialogKey(Message);
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && CanFocus()) {
                Click();
                Message.Result = 1;
                return;
            }
            break;
        case CM_FOCUSCHANGED:
            Invalidate();
            break;
        default:
            break;
    }
    TButtonControl::Dispatch(Message);
}

void TButton::DialogKey(TMessage& Message) {
    const WPARAM key = Message.WParam;
    const bool claims = (key == VK_RETURN && TakesEnter()) || (key == VK_ESCAPE && Cancel);
    if (!claims || CurrentShiftState().Contains(ssAlt) || !Enabled() || !Visible()) {
        TButtonControl::Dispatch(Message);
        return;
    }
    Click();
    Message.Result = 1;
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(ModalResult);
    TButtonControl::Click();
}

void TButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(r);
    if (TakesEnter()) {
        // The button Enter goes to wears a dark rim around its face.
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    DrawFrameControl(
        canvas.Handle(), &r, DFC_BUTTON,
        DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pushed() ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
    canvas.Font()->Assign(*Font());
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    TRect text = Pushed() ? OffsetRect(r, 1, 1) : r;
    DrawText(canvas.Handle(), Caption(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        const TRect focus = Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
        DrawFocusRect(canvas.Handle(), &focus);
    }
}
