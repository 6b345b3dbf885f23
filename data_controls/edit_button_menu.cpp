// A new button control and a button's drop-down menu, for every edit with a button row.
#include "data_controls/edit_button_menu.h"

#include "data_controls/db_edit.h"
#include "platform/ui/message_queue.h"

TEditButtonControlEh* NewEditButtonControlFor(TWinControl& Edit) {
    auto* control = NewComponent<TEditButtonControlEh>(&Edit);
    control->ControlStyle.Include(csReplicatable);
    control->ControlStyle.Include(csOpaque);
    control->SetBounds(0, 0, 10, 17);
    control->SetVisible(true);
    control->SetParent(&Edit);
    return control;
}

void ShowEditButtonMenu(TPopupMenu& Menu, TWinControl& Edit, TEditButtonControlEh& Control) {
    const TPoint at = Control.ClientToScreen({0, Control.Height()});
    Menu.PopupComponent = &Edit;
    Menu.Popup(at.X, at.Y);
    if (Edit.HandleAllocated())
        PostMessage(Edit.Handle(), CM_IGNOREEDITDOWNEH, static_cast<WPARAM>(Control.Tag), 0);
    // The menu took the mouse: the button would stay pressed.
    Control.Perform(WM_LBUTTONUP, 0, MakeLParam(0, 0));
}

bool TakeMenuClosedMarker(TWinControl& Edit, int Tag) {
    if (!Edit.HandleAllocated())
        return false;
    TMsg msg;
    if (!PeekMessage(msg, Edit.Handle(), CM_IGNOREEDITDOWNEH, CM_IGNOREEDITDOWNEH, PM_NOREMOVE) ||
        static_cast<int>(msg.wParam) != Tag)
        return false;
    PeekMessage(msg, Edit.Handle(), CM_IGNOREEDITDOWNEH, CM_IGNOREEDITDOWNEH, PM_REMOVE);
    return true;
}

TEditButtonControlEh* StartButtonPress(TWinControl& Edit, TObject* Sender, bool& Handled) {
    if (Edit.CanFocus() && !Edit.Focused())
        Edit.SetFocus();
    Handled = false;
    auto* control = dynamic_cast<TEditButtonControlEh*>(Sender);
    if (control == nullptr || TakeMenuClosedMarker(Edit, control->Tag))
        return nullptr;
    return control;
}
