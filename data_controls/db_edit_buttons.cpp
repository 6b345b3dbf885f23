// The edit control's buttons: what a press and a click do, drop-down menus and the latched main button.
#include "data_controls/db_edit.h"
#include "data_controls/edit_button_menu.h"

namespace {

TEditButtonControlEh* ButtonControlOf(TObject* sender) {
    return dynamic_cast<TEditButtonControlEh*>(sender);
}

}  // namespace

TEditButtonEh* TCustomDBEditEh::ButtonOfControl(const TEditButtonControlEh& control) const {
    if (control.Tag == 0)
        return editButton_.get();
    if (control.Tag > editButtons_->Count())
        return nullptr;
    return editButtons_->GetButton(control.Tag - 1);
}

void TCustomDBEditEh::EditButtonPressed(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled) {
    TEditButtonControlEh* control = StartButtonPress(*this, Sender, Handled);
    if (control == nullptr)
        return;
    TEditButtonEh* button = ButtonOfControl(*control);
    if (button == nullptr)
        return;
    if (control->Tag == 0) {
        if (OnButtonDown)
            OnButtonDown(this, TopButton, AutoRepeat, Handled);
        if (Handled)
            return;
        if (button->DropdownMenu() != nullptr)
            ShowEditButtonMenu(*button->DropdownMenu(), *this, *control);
        else
            MainButtonPressed(!TopButton);
        return;
    }
    if (button->OnDown)
        button->OnDown(button, TopButton, AutoRepeat, Handled);
    if (!Handled && button->DropdownMenu() != nullptr)
        ShowEditButtonMenu(*button->DropdownMenu(), *this, *control);
}

void TCustomDBEditEh::MainButtonPressed(bool InMouseControl) {
    (void)InMouseControl;
    if (editButton_->Style() == ebsUpDownEh || droppedDown_)
        return;
    OpenDropDown();
    noClickCloseUp_ = true;
}

void TCustomDBEditEh::EditButtonClicked(TObject* Sender) {
    TEditButtonControlEh* control = ButtonControlOf(Sender);
    TEditButtonEh* button = control != nullptr ? ButtonOfControl(*control) : nullptr;
    bool handled = false;
    const bool main = control != nullptr && control->Tag == 0;
    if (main && OnButtonClick)
        OnButtonClick(this, handled);
    else if (!main && button != nullptr && button->OnClick)
        button->OnClick(button, handled);
    if (!handled && main && droppedDown_ && !noClickCloseUp_)
        CloseDropDown(false);
    noClickCloseUp_ = false;
}

void TCustomDBEditEh::EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y) {
    (void)Sender;
    (void)Shift;
    (void)X;
    (void)Y;
}

void TCustomDBEditEh::EditButtonMouseReleased(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                              int Y) {
    (void)Button;
    (void)Shift;
    const auto* control = dynamic_cast<TControl*>(Sender);
    if (control != nullptr && !control->ClientRect().Contains({X, Y}))
        noClickCloseUp_ = false;
}

void TCustomDBEditEh::OpenDropDown() {
    if (!buttonControls_.empty())
        buttonControls_.front().EditButtonControl->SetLatchedDown(true);
    droppedDown_ = true;
    if (mruList_->DroppedDown())
        mruList_->CloseUp(false);
}

void TCustomDBEditEh::CloseDropDown(bool Accept) {
    DoCloseDropDown(Accept);
}

void TCustomDBEditEh::DoCloseDropDown(bool Accept) {
    (void)Accept;
    if (!buttonControls_.empty())
        buttonControls_.front().EditButtonControl->SetLatchedDown(false);
    droppedDown_ = false;
}
