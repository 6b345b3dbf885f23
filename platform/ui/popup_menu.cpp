#include "platform/ui/popup_menu.h"

#include <utility>

#include "platform/ui/application.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(NewComponent<TMenuItem>(this)) {}

TPopupMenu::~TPopupMenu() {
    CloseMenu();
}

bool TPopupMenu::IsShortCut(WORD Key, TShiftState Shift) {
    TMenuItem* item = items_->FindShortCut(::ShortCut(Key, Shift));
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

TCustomForm* TPopupMenu::FormToShowOn() const {
    if (auto* control = dynamic_cast<TControl*>(PopupComponent); control != nullptr && control->ParentForm())
        return control->ParentForm();
    if (TCustomForm* active = platform::ui::ActiveForm())
        return active;
    return Application->MainForm();
}

void TPopupMenu::Popup(int X, int Y) {
    popupPoint_ = {X, Y};
    if (OnPopup)
        OnPopup(this);
    CloseMenu();
    TCustomForm* form = FormToShowOn();
    if (form == nullptr || !form->IsShowing())
        return;
    auto* window = NewComponent<TMenuWindow>(form, items_);
    if (window->Shown().empty()) {
        Free(window);
        return;
    }
    window_ = window;
    window_->FreeNotification(this);
    window_->SetParent(form);
    window_->Open({X, Y}, [this](TMenuItem* chosen) { MenuClosed(chosen); });
}

void TPopupMenu::CloseMenu() {
    if (window_ != nullptr)
        window_->Cancel();
}

void TPopupMenu::MenuClosed(TMenuItem* chosen) {
    TMenuWindow* window = std::exchange(window_, nullptr);
    window->RemoveFreeNotification(this);
    Free(window);
    // The item's handler may free the menu or its form: nothing here runs after it.
    if (chosen != nullptr)
        chosen->Click();
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == window_)
        window_ = nullptr;
}
