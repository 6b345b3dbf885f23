#pragma once
// TPopupMenu as a control's PopupMenu property sees it: shown at a screen point when the control is
// right-clicked or the context-menu key is pressed. Its items answer their shortcuts while the key goes
// to the control naming the menu (or to a control inside it).
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/types.h"

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* AOwner);
    std::string ClassName() const override { return "TPopupMenu"; }

    // Shown by a right click (or the context-menu key) on the control naming it.
    bool AutoPopup = true;
    // The control that showed the menu last.
    TComponent* PopupComponent = nullptr;
    TNotifyEvent OnPopup;

    // The root item: the menu's items are its sub-items.
    TMenuItem* Items() const { return items_; }
    // Clicks the item whose shortcut the key is; false when none answers.
    bool IsShortCut(WORD Key, TShiftState Shift);

    // Shows the menu at a screen point; OnPopup fires first.
    virtual void Popup(int X, int Y);
    TPoint PopupPoint() const { return popupPoint_; }

  private:
    TMenuItem* items_;
    TPoint popupPoint_{-1, -1};
};
