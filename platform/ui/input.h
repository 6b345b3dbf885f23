#pragma once
// Input from the host (or from a test), turned into messages in our queue: keys go to the control
// with the focus (or the form), mouse buttons to the windowed control under the pointer (or the one
// holding the mouse capture), which hands them on to the graphic control under the pointer.
#include <string>

#include "platform/ui/shift_state.h"
#include "platform/ui/types.h"

class TCustomForm;
class TWinControl;

namespace platform::ui {

// A key pressed in form; text is what it types (UTF-8, may be empty). With Alt (and not Ctrl) held
// the key travels as WM_SYSKEYDOWN and its text as WM_SYSCHAR. A key without a key code of its own
// (0: a letter of another alphabet, a symbol) travels as VK_PACKET, since a key code of 0 means
// that a handler took the key.
void PostKeyDown(TCustomForm& form, WORD key, TShiftState shift, const std::string& text);
void PostKeyUp(TCustomForm& form, WORD key, TShiftState shift);
// Mouse buttons and moves at a point of a top-level window's client area (a form, or a pop-up
// with a host window of its own). A second press of the same button in the same place soon after the
// first (GetDoubleClickTime, SM_CXDOUBLECLK) goes as a double click. While a control holds the capture,
// every mouse message goes to it, whichever window the pointer is over. Before a move or a press, the
// window under the pointer is asked where the point lies (WM_NCHITTEST) and which pointer to show
// (WM_SETCURSOR); before a press it is asked whether to activate (WM_MOUSEACTIVATE: an answer that
// eats the press keeps it from the window).
void PostMouseDown(TWinControl& window, TMouseButton button, TShiftState shift, TPoint pos);
void PostMouseUp(TWinControl& window, TMouseButton button, TShiftState shift, TPoint pos);
void PostMouseMove(TWinControl& window, TShiftState shift, TPoint pos);
// The wheel turned by delta (WHEEL_DELTA a notch, above 0 away from the user) with the pointer at
// pos: WM_MOUSEWHEEL to the focused control, which hands it to its parent when not handled.
void PostMouseWheel(TCustomForm& form, TShiftState shift, int delta, TPoint pos);
// The pointer left the window: the control it was over gets CM_MOUSELEAVE.
void PostMouseLeave(TWinControl& window);
// Text committed by an input method: each character goes to the focused control as WM_CHAR.
void PostInputMethodText(TCustomForm& form, const std::string& text);

// The virtual-key code of a character typed on a plain keyboard ('a' -> 'A', '1' -> '1', '\r' -> VK_RETURN);
// 0 when there is none.
WORD VirtualKeyForChar(char32_t ch, bool* needsShift = nullptr);

}  // namespace platform::ui

// Where the pointer was last seen over one of the program's windows, in screen coordinates.
bool GetCursorPos(TPoint& point);
