#include "platform/ui/popup_menu.h"

void TPopupMenu::Popup(int X, int Y) {
    popupPoint_ = {X, Y};
    if (OnPopup)
        OnPopup(this);
}
