// A form's modal loop, its style among the program's windows and the dialog keys it hands to its
// buttons.
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope_exit.h"
#include "platform/ui/application.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/push_button.h"
#include "platform/ui/window_system.h"

int TCustomForm::ShowModal() {
    if (modal_ || Visible())
        throw EInvalidOperation("Cannot make a visible window modal");
    TCustomForm* previous = platform::ui::ActiveForm();
    const HWND previousWnd = previous != nullptr ? previous->Handle() : 0;
    modal_ = true;
    modalResult_ = mrNone;
    {
        TScopeExit end([this, previousWnd] { EndModal(previousWnd); });
        Show();
        while (modalResult_ == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        }
    }
    return modalResult_;
}

void TCustomForm::CloseModal() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    TCloseAction action = canClose ? caHide : caNone;
    if (canClose && OnClose)
        OnClose(this, action);
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::EndModal(HWND previousActive) {
    modal_ = false;
    Hide();
    // The form that was active before takes the activation back, when it still shows.
    auto* previous = dynamic_cast<TCustomForm*>(FindControl(previousActive));
    if (previous != nullptr && previous != this && previous->Visible() && previous->native_) {
        previous->native_->Activate();
        previous->HostActivated(true);
    }
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == formStyle_)
        return;
    formStyle_ = value;
    ApplyWindowKind();
}

void TCustomForm::ApplyWindowKind() {
    if (!native_)
        return;
    native_->SetStayOnTop(formStyle_ == fsStayOnTop);
    native_->SetFixedFrame(borderStyle_ == bsDialog || borderStyle_ == bsSingle ||
                           borderStyle_ == bsToolWindow);
}

bool TCustomForm::OfferDialogKey(TWinControl& parent, TMessage& Message) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(parent.Controls(i));
        if (control == nullptr || !control->Visible())
            continue;
        const bool taken = dynamic_cast<TButton*>(control) != nullptr
                               ? control->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0
                               : OfferDialogKey(*control, Message);
        if (taken) {
            Message.Result = 1;
            return true;
        }
    }
    return false;
}
