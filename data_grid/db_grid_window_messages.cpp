// Commands from the grid's child controls.
#include "data_grid/db_grid.h"

#include "platform/ui/button_control.h"
#include "platform/ui/messages.h"
#include "platform/ui/win_control.h"

// A command from a child control goes back to that control as its notification.
void TCustomDBGridEh::CommandMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    TWinControl* child = FindControl(static_cast<HWND>(Message.LParam));
    if (child != nullptr && child != this && child->Parent() == this)
        Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
}
