#pragma once
// What of a window waits for painting, and scrolling its pixels: InvalidateRect, ValidateRect and
// ScrollWindowEx on a control's window (client coordinates).
#include "platform/ui/region.h"
#include "platform/ui/types.h"

constexpr UINT SW_SCROLLCHILDREN = 0x0001;  // not done here: children stay where they are
constexpr UINT SW_INVALIDATE = 0x0002;
constexpr UINT SW_ERASE = 0x0004;

// rect nullptr: the whole client area. Erasing is what painting does anyway.
bool InvalidateRect(HWND wnd, const TRect* rect, bool erase);
// Forms only: a pop-up's window paints what it was told to.
bool ValidateRect(HWND wnd, const TRect* rect);
// Moves the pixels of scroll (nullptr: the client area) by (dx, dy), inside clip (nullptr: the
// client area) and never over the window's windowed children. What the move uncovers goes to
// update and updateRect when given, and waits for painting with SW_INVALIDATE. Returns the
// uncovered region's kind (NULLREGION, SIMPLEREGION, COMPLEXREGION), 0 for no window.
int ScrollWindowEx(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip,
                   platform::ui::Region* update, TRect* updateRect, UINT flags);
