#pragma once
// Input from the host (or from a test), turned into messages in our queue: keys go to the control
// with the focus (or the form), mouse buttons to the windowed control under the pointer (or the one
// holding the mouse capture), which hands them on to the graphic control under the pointer.
#include <string>

#include "platform/ui/shift_state.h"
#include "platform/ui/types.h"

class TCustomForm;

namespace platform::ui {

// A key pressed in form; text is what it types (UTF-8, may be empty). With Alt (and not Ctrl) held
// the key travels as WM_SYSKEYDOWN and its text as WM_SYSCHAR. A key without a key code of its own
// (0: a letter of another alphabet, a symbol) travels as VK_PACKET, since a key code of 0 means
// that a handler took the key.
void PostKeyDown(TCustomForm& form, WORD key, TShiftState shift, const std::string& text);
void PostKeyUp(TCustomForm& form, WORD key, TShiftState shift);
// Mouse buttons and moves at a point of the form's client area. A second press of the same button
// in the same place soon after the first (GetDoubleClickTime, SM_CXDOUBLECLK) goes as a double click.
void PostMouseDown(TCustomForm& form, TMouseButton button, TShiftState shift, TPoint pos);
void PostMouseUp(TCustomForm& form, TMouseButton button, TShiftState shift, TPoint pos);
void PostMouseMove(TCustomForm& form, TShiftState shift, TPoint pos);
// The wheel turned by delta (WHEEL_DELTA a notch, above 0 away from the user) with the pointer at
// pos: WM_MOUSEWHEEL to the focused control, which hands it to its parent when not handled.
void PostMouseWheel(TCustomForm& form, TShiftState shift, int delta, TPoint pos);
// The pointer left the form's window: the control it was over gets CM_MOUSELEAVE.
void PostMouseLeave(TCustomForm& form);

// The virtual-key code of a character typed on a plain keyboard ('a' -> 'A', '1' -> '1', '\r' -> VK_RETURN);
// 0 when there is none.
WORD VirtualKeyForChar(char32_t ch, bool* needsShift = nullptr);

}  // namespace platform::ui
