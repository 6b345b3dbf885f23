#pragma once
// What the calendar and calculator pop-ups share: the request to close later, the owner told to
// close, and the frame drawn inside their windows.
#include "platform/ui/messages.h"

class TComponent;
class TWinControl;

// Posted by a pop-up to itself; handling it closes the pop-up without accepting.
constexpr UINT WM_CLOSEUP_REQUEST_EH = WM_USER + 101;

// Asks the component that owns the pop-up to close it; nothing happens when the owner opens no
// drop-downs.
void CloseDropDownOf(const TComponent& popup, bool accept);
// WM_NCCALCSIZE: the client rectangle shrinks by the border on every side.
void InsetClientByBorder(TMessage& Message, int borderWidth);
