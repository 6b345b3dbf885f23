#pragma once
// TPopupMenu as a control's PopupMenu property sees it: shown at a screen point when the control is
// right-clicked or the context-menu key is pressed. The items and their drawing live in the menu
// classes; this is the hook they fill.
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/ui/types.h"

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TPopupMenu"; }

    // Shown by a right click (or the context-menu key) on the control naming it.
    bool AutoPopup = true;
    // The control that showed the menu last.
    TComponent* PopupComponent = nullptr;
    TNotifyEvent OnPopup;

    // Shows the menu at a screen point; OnPopup fires first.
    virtual void Popup(int X, int Y);
    TPoint PopupPoint() const { return popupPoint_; }

  private:
    TPoint popupPoint_{-1, -1};
};
