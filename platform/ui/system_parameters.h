#pragma once
// System settings the controls ask for (SystemParametersInfo), and the message beep.
#include "platform/ui/types.h"

constexpr UINT SPI_GETWORKAREA = 0x0030;

// SPI_GETWORKAREA: param (a TRect) gets the primary monitor's work area. False for other actions.
bool SystemParametersInfo(UINT action, UINT uiParam, void* param, UINT winIni);

// The host's sound for a message box of this type (MB_ICON*), or a simple beep (0xFFFFFFFF).
bool MessageBeep(UINT type);
