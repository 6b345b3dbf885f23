#pragma once
// Where a drop-down window opens against its owner: below or above it, aligned to its left, right
// or centre, kept inside the work area of the owner's monitor.
#include "platform/ui/messages.h"
#include "platform/ui/types.h"

class TControl;

enum TDropDownAlign { daLeft, daRight, daCenter };

// Tells a drop-down on which side of its owner it opened (wParam: 0 left, 1 right, 2 top, 3 bottom),
// so its size grip can stand away from the owner.
constexpr UINT WM_DROPDOWN_SIDE_EH = WM_USER + 100;

// The drop-down's top-left in screen coordinates; shrinks it to the room it has, and sends it the
// side message for the vertical side, then for the horizontal one.
TPoint PlaceDropDownByRect(const TRect& owner, TControl* dropDown, TDropDownAlign align);
// The same for the owner control's rectangle on the screen.
TPoint PlaceDropDownByControl(const TControl* owner, TControl* dropDown, TDropDownAlign align);
