#pragma once
// TShortCut: a key with its modifiers in one number, the virtual-key code in the low byte and
// scShift / scCtrl / scAlt above it (Alt+Down is scAlt + VK_DOWN), as stored with the controls.
#include <string>

#include "platform/ui/shift_state.h"
#include "platform/ui/types.h"

using TShortCut = WORD;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// 0 when key does not fit in the low byte.
TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// The text a menu shows beside an item: "Ctrl+S", "Shift+F5", "Alt+Del"; "" for scNone.
std::string ShortCutToText(TShortCut ShortCut);
