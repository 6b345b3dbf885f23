#pragma once
// TPopupMenu as a control's PopupMenu property sees it: shown at a screen point when the control is
// right-clicked or the context-menu key is pressed. Its items answer their shortcuts while the key goes
// to the control naming the menu (or to a control inside it). Shown, it is a window of its own over
// the form (TMenuWindow) that takes the keys and the mouse until an item is chosen or it is dismissed,
// while the focus stays where it was.
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/menu_window.h"
#include "platform/ui/types.h"

class TCustomForm;

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
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

    // Shows the menu at a screen point (the top-left corner) over the form of PopupComponent, else the
    // active form; OnPopup fires first. A chosen item's OnClick runs after the menu has closed.
    virtual void Popup(int X, int Y);
    TPoint PopupPoint() const { return popupPoint_; }
    // The open menu's window; nullptr while closed.
    TMenuWindow* MenuWindow() const { return window_; }
    void CloseMenu();
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    TCustomForm* FormToShowOn() const;
    void MenuClosed(TMenuItem* chosen);
    TMenuItem* items_;
    TMenuWindow* window_ = nullptr;
    TPoint popupPoint_{-1, -1};
};
