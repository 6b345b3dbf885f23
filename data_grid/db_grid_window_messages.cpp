// Window messages the grid answers beside drawing, layout, keys and mouse: tool-tips, focus,
// commands from its child controls, and presses while rows are dragged automatically.
#include "data_grid/db_grid.h"

#include "platform/ui/button_control.h"
#include "platform/ui/messages.h"
#include "platform/ui/win_control.h"

bool TCustomDBGridEh::WindowMessage(TMessage& Message) {
    if (HintMessage(Message) || FocusMessage(Message))
        return true;
    if (Message.Msg == WM_COMMAND) {
        TCustomGrid::Dispatch(Message);
        CommandMessage(Message);
        return true;
    }
    return false;
}

// A command from a child control goes back to that control as its notification.
void TCustomDBGridEh::CommandMessage(TMessage& Message) {
    TWinControl* child = FindControl(static_cast<HWND>(Message.LParam));
    if (child != nullptr && child != this && child->Parent() == this)
        Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
}
