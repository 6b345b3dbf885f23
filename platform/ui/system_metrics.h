#pragma once
// The sizes and times the controls ask the system for: one table for every host, so a control
// lays itself out the same on the screen and in headless tests.
#include "platform/ui/types.h"

constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;

// 0 for an index the table does not know.
int GetSystemMetrics(int index);
// The longest time (milliseconds) between the presses of a double click.
UINT GetDoubleClickTime();
