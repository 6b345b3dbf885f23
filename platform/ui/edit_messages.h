#pragma once
// Messages an edit control answers, under the platform's numbers, and what they pass.
#include "platform/ui/types.h"

constexpr UINT EM_GETSEL = 0x00B0;  // wParam, lParam: DWORD* for start and end (may be 0); result: MAKELONG
constexpr UINT EM_SETSEL =
    0x00B1;  // wParam start, lParam end; start -1 removes the selection, end -1 is the end
constexpr UINT EM_GETRECT = 0x00B2;      // lParam: TRect* to the formatting rectangle
constexpr UINT EM_SETRECT = 0x00B3;      // lParam: const TRect* (nullptr: the default); repaints
constexpr UINT EM_SETRECTNP = 0x00B4;    // as EM_SETRECT, without repainting
constexpr UINT EM_LINESCROLL = 0x00B6;   // wParam characters sideways, lParam lines down (multi-line only)
constexpr UINT EM_SCROLLCARET = 0x00B7;  // scrolls the caret into view
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;  // wParam line (-1: the caret's); result: its first character
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;  // lParam: const char* UTF-8
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;  // wParam character index (-1: the caret's line)
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_GETFIRSTVISIBLELINE =
    0x00CE;  // multi-line: the top line; single-line: the first character shown
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETMARGINS = 0x00D4;   // result: MAKELONG(left, right)
constexpr UINT EM_CHARFROMPOS = 0x00D7;  // lParam: client point; result: MAKELONG(char, line)
constexpr UINT EM_POSFROMCHAR = 0x00D6;  // wParam: character; result: MAKELONG(x, y)

constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;

// Dialog code of a control whose text the dialog selects when tabbing in.
constexpr LRESULT DLGC_HASSETSEL = 0x0008;

constexpr LRESULT MakeLong(int low, int high) {
    return static_cast<LRESULT>((static_cast<DWORD>(high & 0xFFFF) << 16) | static_cast<DWORD>(low & 0xFFFF));
}
