#include "data_controls/popup_calculator.h"

#include "data_controls/edit_button_control.h"
#include "data_controls/popup_frame.h"
#include "data_controls/popup_listbox.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/label.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_styles.h"

namespace {

// The value handed over while the calculator shows an error (E_FAIL).
constexpr std::int32_t kCalculatorErrorCode = static_cast<std::int32_t>(0x80004005u);

}  // namespace

TPopupCalculatorEh::TPopupCalculatorEh(TComponent* AOwner) : TCalculatorEh(AOwner) {
    ControlStyle = ControlStyle + TControlStyle{csReplicatable};
    SetParentCtl3D(false);
    SetCtl3D(true);
    SetTabStop(false);
    AdjustSize();
}

void TPopupCalculatorEh::CreateParams(TCreateParams& Params) {
    TCalculatorEh::CreateParams(Params);
    Params.Style |= WS_POPUP;
    if (!Ctl3D())
        Params.Style |= WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW;
}

int TPopupCalculatorEh::GetNonClientHeight() const {
    return TCalculatorEh::GetNonClientHeight() + WindowBorderHeight(Ctl3D() ? 0 : WS_BORDER, 0, borderWidth_);
}

LRESULT TPopupCalculatorEh::DialogCode() const {
    return TCalculatorEh::DialogCode() | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

void TPopupCalculatorEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE:
            InsetClientByBorder(Message, borderWidth_);
            TCalculatorEh::Dispatch(Message);
            return;
        case WM_NCPAINT:
            TCalculatorEh::Dispatch(Message);
            DrawBorder();
            return;
        case WM_MOUSEACTIVATE:
            Message.Result = MA_NOACTIVATE;
            return;
        case CM_CTL3DCHANGED:
            Ctl3DChanged(Message);
            return;
        case CM_WANTSPECIALKEY:
            WantSpecialKey(Message);
            return;
        case WM_CLOSEUP_REQUEST_EH:
            CloseDropDownOf(*this, false);
            return;
        default:
            TCalculatorEh::Dispatch(Message);
    }
}

void TPopupCalculatorEh::DrawBorder() {
    if (borderWidth_ == 0)
        return;
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    TRect frame{0, 0, Width(), Height()};
    canvas.Brush()->SetColor(cl3DDkShadow);
    canvas.FrameRect(frame);
    frame = {frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1};
    DrawEdge(&canvas, &frame, BDR_RAISEDINNER, BF_RECT);
}

void TPopupCalculatorEh::Ctl3DChanged(TMessage& Message) {
    TCalculatorEh::Dispatch(Message);
    borderWidth_ = Ctl3D() ? 2 : 0;
    if (HandleAllocated())
        RecreateWnd();
    AdjustSize();
}

void TPopupCalculatorEh::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) {
        Key = 0;
        CloseDropDownOf(*this, false);
        return;
    }
    TCalculatorEh::KeyDown(Key, Shift);
}

void TPopupCalculatorEh::WantSpecialKey(TMessage& Message) {
    // Enter is left to the typed character that follows, so it is worked out once.
    if (Message.WParam == VK_ESCAPE)
        CloseDropDownOf(*this, false);
    if (Message.WParam == VK_ESCAPE || Message.WParam == VK_RETURN) {
        Message.Result = 1;
        return;
    }
    TCalculatorEh::Dispatch(Message);
}

void TPopupCalculatorEh::HandleCalcKey(char32_t Key) {
    if ((Key == '\r' || Key == '=') && EnterClosesPopup())
        CloseDropDownOf(*this, true);
    else
        TCalculatorEh::HandleCalcKey(Key);
}

bool TPopupCalculatorEh::EnterClosesPopup() const {
    return EqualButton()->Caption() == "Ok";
}

Variant TPopupCalculatorEh::FetchPopupValue() const {
    if (Status() == 2)
        return Variant::OfError(kCalculatorErrorCode);
    return Variant(DisplayValue());
}

void TPopupCalculatorEh::SetFlatKeys(bool Value) {
    if (Value == flatKeys_)
        return;
    flatKeys_ = Value;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* key = dynamic_cast<TSpeedButtonEh*>(Components(i)))
            key->SetFlat(Value);
}

void TPopupCalculatorEh::PutPopupValue(const Variant& Value) {
    Clear();
    // An empty cell opens at 0.
    if (!Value.IsNull() && !Value.IsEmpty())
        ShowValue(Value.AsDouble());
    UpdateEqualCaption();
}
