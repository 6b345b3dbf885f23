#include "platform/ui/speed_button.h"

#include "platform/ui/accelerators.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    ControlStyle = {csCaptureMouse, csDoubleClicks};
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    dragging_ = true;
    state_ = bsDown;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!dragging_)
        return;
    TButtonState next = ClientRect().Contains({X, Y}) ? bsDown : bsUp;
    if (next == state_)
        return;
    state_ = next;
    Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !dragging_)
        return;
    dragging_ = false;
    bool inside = ClientRect().Contains({X, Y});
    state_ = bsUp;
    Invalidate();
    if (inside)
        Click();
}

void TSpeedButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    bool down = state_ == bsDown;
    // A flat button leaves its background alone and shows a frame only while pressed.
    if (!flat_) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
    }
    if (!flat_ || down) {
        canvas.Brush()->SetColor(down ? clBtnShadow : clBtnHighlight);
        canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
        canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
        canvas.Brush()->SetColor(down ? clBtnHighlight : clBtnShadow);
        canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
        canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
    }
    std::string caption = Caption();
    if (caption.empty())
        return;
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    TSize size = canvas.TextExtent(caption);
    int shift = down ? 1 : 0;
    canvas.TextRect(r, (r.Width() - size.cx) / 2 + shift, (r.Height() - size.cy) / 2 + shift, caption);
}

void TSpeedButton::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char32_t>(Message.WParam), Caption())) {
        Click();
        Message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(Message);
}
