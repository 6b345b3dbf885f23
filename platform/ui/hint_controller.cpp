#include "platform/ui/hint_controller.h"

#include "platform/rtl/timer.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"

namespace {

// Below the pointer's arrow.
constexpr int kHintBelowPointer = 20;

bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

}  // namespace

THintController::THintController(TComponent* AOwner)
    : TComponent(AOwner), timer_(NewComponent<TTimer>(this)) {
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) { TimerTick(); };
}

void THintController::Watch(TControl*& field, TControl* value) {
    if (field == value)
        return;
    if (field != nullptr)
        field->RemoveFreeNotification(this);
    field = value;
    if (field != nullptr)
        field->FreeNotification(this);
}

void THintController::MouseMessage(UINT msg, HWND wnd, TPoint pos) {
    if (IsButtonDown(msg)) {
        CancelHint();
        return;
    }
    if (msg != WM_MOUSEMOVE)
        return;
    TWinControl* window = FindControl(wnd);
    if (window == nullptr || dynamic_cast<THintWindow*>(window) != nullptr)
        return;
    TControl* under = window->ControlAtPos(pos, false, false);
    PointerOn(under != nullptr ? under : window, window->ClientToScreen(pos));
}

void THintController::PointerOn(TControl* control, TPoint screenPos) {
    cursor_ = screenPos;
    bool shown = ShownHintWindow() != nullptr;
    if (control == hintControl_) {
        if (shown && !cursorRect_.Contains(screenPos)) {
            HideWindow();
            StartTimer(Waiting::Show, Application->HintShortPause);
        }
        return;
    }
    HideWindow();
    StartTimer(Waiting::None, 0);
    Watch(hintControl_, control);
    // The text is settled when the hint shows: a control may supply one of its own then.
    if (!Application->ShowHint() || !control->ShowHint)
        return;
    int pause = shown ? Application->HintShortPause : Application->HintPause;
    control->Perform(CM_HINTSHOWPAUSE, shown ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
    if (pause <= 0)
        ActivateHint(screenPos);
    else
        StartTimer(Waiting::Show, pause);
}

void THintController::StartTimer(Waiting what, int ms) {
    timer_->SetEnabled(false);
    waiting_ = what;
    if (what == Waiting::None || ms <= 0)
        return;
    timer_->SetInterval(static_cast<unsigned>(ms));
    timer_->SetEnabled(true);
}

void THintController::TimerTick() {
    Waiting what = waiting_;
    StartTimer(Waiting::None, 0);
    if (what == Waiting::Show)
        ActivateHint(cursor_);
    else if (what == Waiting::Hide)
        HideWindow();
}

void THintController::ActivateHint(TPoint cursorPos) {
    TControl* control = hintControl_;
    TCustomForm* form = control != nullptr ? control->ParentForm() : nullptr;
    if (form == nullptr || !Application->ShowHint() || !control->ShowHint)
        return;
    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = [](TComponent* owner) { return NewComponent<THintWindow>(owner); };
    info.HintPos = {cursorPos.X, cursorPos.Y + kHintBelowPointer};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = Application->HintColor;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(cursorPos);
    info.HideTimeout = Application->HintHidePause;
    info.HintStr = GetShortHint(control->Hint);
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty())
        return;
    if (window_ != nullptr) {
        Free(window_);
        window_ = nullptr;
    }
    window_ = info.HintWindowClass(form);
    window_->FreeNotification(this);
    window_->SetParent(form);
    window_->SetColor(info.HintColor);
    TRect r = window_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    window_->ActivateHintData(Bounds(info.HintPos.X, info.HintPos.Y, r.Width(), r.Height()), info.HintStr,
                              info.HintData);
    TPoint origin = control->ClientToScreen({info.CursorRect.Left, info.CursorRect.Top});
    cursorRect_ = Bounds(origin.X, origin.Y, info.CursorRect.Width(), info.CursorRect.Height());
    StartTimer(Waiting::Hide, info.HideTimeout);
}

THintWindow* THintController::ShownHintWindow() const {
    return window_ != nullptr && window_->Visible() ? window_ : nullptr;
}

void THintController::HideWindow() {
    if (window_ != nullptr)
        window_->ReleaseHandle();
}

void THintController::CancelHint() {
    HideWindow();
    StartTimer(Waiting::None, 0);
    Watch(hintControl_, nullptr);
}

void THintController::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == window_)
        window_ = nullptr;
    if (AComponent == hintControl_) {
        hintControl_ = nullptr;
        StartTimer(Waiting::None, 0);
    }
}
