#pragma once
// The classic look of the system's small control parts (DrawFrameControl): scroll arrows and the
// combo box's drop-down button, check boxes and push buttons.
#include "platform/ui/canvas.h"

constexpr UINT DFC_CAPTION = 1;
constexpr UINT DFC_MENU = 2;
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFC_POPUPMENU = 5;

// DFC_SCROLL parts.
constexpr UINT DFCS_SCROLLUP = 0x0000;
constexpr UINT DFCS_SCROLLDOWN = 0x0001;
constexpr UINT DFCS_SCROLLLEFT = 0x0002;
constexpr UINT DFCS_SCROLLRIGHT = 0x0003;
constexpr UINT DFCS_SCROLLCOMBOBOX = 0x0005;
// DFC_BUTTON parts.
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTON3STATE = 0x0008;  // with DFCS_CHECKED: the grayed state
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
// States.
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_TRANSPARENT = 0x0800;  // a check box leaves its inside as it is
constexpr UINT DFCS_HOT = 0x1000;
constexpr UINT DFCS_ADJUSTRECT = 0x2000;  // a push button's rect becomes its inside
constexpr UINT DFCS_FLAT = 0x4000;
constexpr UINT DFCS_MONO = 0x8000;

// Draws the part into rect; false for the kinds and parts not drawn here (captions, menus).
bool DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state);
