#include "platform/ui/popup_menu.h"

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(NewComponent<TMenuItem>(this)) {}

bool TPopupMenu::IsShortCut(WORD Key, TShiftState Shift) {
    TMenuItem* item = items_->FindShortCut(::ShortCut(Key, Shift));
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

void TPopupMenu::Popup(int X, int Y) {
    popupPoint_ = {X, Y};
    if (OnPopup)
        OnPopup(this);
}
