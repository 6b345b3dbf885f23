#pragma once
// The platform's functions on window handles: placing, showing and hiding windows apart from the
// controls' Visible, the parent chain of child windows, and making a window top-level.
#include <optional>

#include "platform/ui/region.h"
#include "platform/ui/types.h"
#include "platform/ui/window_styles.h"

// Moves, sizes, restacks, shows or hides a window by the SWP_ flags. A pop-up is never activated; a
// visible form is activated unless SWP_NOACTIVATE (a form shows through its Visible, which activates it).
// With SWP_NOREDRAW nothing is marked for painting: the caller invalidates what it wants. False when wnd is
// no window.
bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// Shows (SW_SHOW, SW_SHOWNORMAL, SW_SHOWNA, SW_SHOWNOACTIVATE) or hides (SW_HIDE) a window; a control's
// Visible stays as it was. A form shows and hides through its Visible. Returns whether it was visible.
bool ShowWindow(HWND wnd, int command);
// The window and every window it lies in are shown.
bool IsWindowVisible(HWND wnd);
// child lies in parent through a chain of child windows (a pop-up is no child of the window it came from).
bool IsChild(HWND parent, HWND child);
// newParent 0 makes child a top-level pop-up window; its own parent control's window makes it a child
// again. Returns the previous parent window (0: it was top-level, or the call failed).
HWND SetParent(HWND child, HWND newParent);

// The width of the frame a window's styles give it on every side: WS_BORDER one pixel, WS_EX_CLIENTEDGE
// two more.
int StyleFrameWidth(DWORD style, DWORD exStyle);
// Grows a client rectangle to the window rectangle that holds it with these styles.
bool AdjustWindowRectEx(TRect& rect, DWORD style, bool menu, DWORD exStyle);
// Gives the window a region (window coordinates; std::nullopt: the whole window again): only that part
// shows and takes the mouse. With redraw the place is painted anew (it always is here). 0 when wnd
// is no window.
int SetWindowRgn(HWND wnd, std::optional<platform::ui::Region> region, bool redraw);
