#pragma once
// Who has the mouse: the control holding the capture (it gets every mouse message while a button is
// held, wherever the pointer is) and the control under the pointer (told by CM_MOUSEENTER and
// CM_MOUSELEAVE when the pointer comes and goes).
#include "platform/ui/types.h"

class TControl;
class TCustomForm;
class TWinControl;

// The control that receives the mouse while a button is held (nullptr: none).
TControl* GetCaptureControl();
// Gives the capture to control (nullptr releases it); the control that loses it gets
// WM_CAPTURECHANGED with the new holder's window (0: none) in LParam.
void SetCaptureControl(TControl* control);
// The window holding the capture: the holder, or the window a graphic holder lies on.
HWND GetCapture();
// Gives the capture to a windowed control; returns the window that held it before.
HWND SetCapture(HWND wnd);
bool ReleaseCapture();

// The control under the pointer (nullptr: none, or the pointer is outside every form).
TControl* GetMouseControl();
// Moves the pointer to control: the one it leaves gets CM_MOUSELEAVE, then control CM_MOUSEENTER.
void SetMouseControl(TControl* control);
// Drops every reference to control, without messages (it is going away or leaves its parent).
void ForgetMouseControl(const TControl* control);

namespace platform::ui {
// The windowed control under pos (coordinates of the top-level window: a form or a pop-up) that takes
// the mouse: visible, enabled.
TWinControl* WindowAtFormPoint(TWinControl& top, TPoint pos);
// The control under pos, graphic ones included; nullptr outside the window's client area.
TControl* ControlAtFormPoint(TWinControl& top, TPoint pos);
}  // namespace platform::ui
