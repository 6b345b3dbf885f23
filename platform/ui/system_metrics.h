#pragma once
// The sizes and times the controls ask the system for: one table for every host, so a control
// lays itself out the same on the screen and in headless tests.
#include "platform/ui/types.h"

constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CYMENU = 15;
constexpr int SM_CYVSCROLL = 20;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_SWAPBUTTON = 23;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_MIDEASTENABLED = 74;

// The system bitmap of check-box glyphs: four columns of states by three rows of kinds, each glyph
// SM_CXMENUCHECK x SM_CYMENUCHECK; the controls measure their check glyph from its size.
constexpr int OBM_CHECKBOXES = 32759;
// The size of a system bitmap; empty for an id the system has none for.
TSize SystemBitmapSize(int id);

// 0 for an index the table does not know.
int GetSystemMetrics(int index);
// The longest time (milliseconds) between the presses of a double click.
UINT GetDoubleClickTime();
