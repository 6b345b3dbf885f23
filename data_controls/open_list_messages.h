#pragma once
// Messages an edit control hands to the list it holds open (the combo box's items, the remembered
// texts): the wheel and the keys that move through the list.
#include "platform/ui/control.h"

// Passes a wheel turn on to the list; true, with the list's answer, when the list took it.
inline bool PassWheelToList(TControl& list, TMessage& Message) {
    const LRESULT taken = list.Perform(Message.Msg, Message.WParam, Message.LParam);
    if (taken == 0)
        return false;
    Message.Result = taken;
    return true;
}

// Passes a key on to the list and answers it as taken.
inline bool PassKeyToList(TControl& list, TMessage& Message) {
    list.Perform(Message.Msg, Message.WParam, Message.LParam);
    Message.Result = 1;
    return true;
}
