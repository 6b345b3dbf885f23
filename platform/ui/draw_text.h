#pragma once
// Formatted text on a canvas: DrawText and DrawTextEx (alignment, line and word breaks, '&'
// prefixes, tabs, end ellipsis, measuring), ExtTextOut and the font's text metrics. The text
// comes in the canvas's font colour; a brush that is not clear fills behind it.
#include <string_view>

#include "platform/ui/canvas.h"

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;  // single lines only
constexpr UINT DT_BOTTOM = 0x00000008;   // single lines only
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;  // bits 8-15 then give the tab length
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;  // a word wider than the line breaks between characters
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0;  // in average character widths; 0: 8
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;  // out: the bytes of text taken in
};

// Draws text (its first count bytes; count -1: all of it) in rect as format says and returns the
// height of the text (with DT_VCENTER or DT_BOTTOM: from rect's top to the text's bottom). With
// DT_CALCRECT nothing is drawn: rect's right and bottom are moved to bound the text.
int DrawText(HDC dc, std::string_view text, int count, TRect* rect, UINT format);
int DrawTextEx(HDC dc, std::string_view text, int count, TRect* rect, UINT format, DRAWTEXTPARAMS* params);

constexpr UINT ETO_OPAQUE = 0x0002;   // fill rect with the brush colour
constexpr UINT ETO_CLIPPED = 0x0004;  // keep the text inside rect
// One line with its top-left at (x, y); dx, when given, holds the advance of each character.
bool ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, std::string_view text, const int* dx);
bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size);

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 400;
    int tmOverhang = 0;
    std::uint8_t tmItalic = 0;
    std::uint8_t tmUnderlined = 0;
    std::uint8_t tmStruckOut = 0;
    std::uint8_t tmCharSet = 0;
};
// The metrics of the canvas's font.
bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics);

// The outline metrics a caller reads: the record's size (212), the text metrics and the slant.
struct OUTLINETEXTMETRIC {
    UINT otmSize = 212;
    TEXTMETRIC otmTextMetrics;
    int otmsCharSlopeRise = 1;
    int otmsCharSlopeRun = 0;
};
// Every font here is an outline font. Fills metrics when size is at least the record's 212 and
// returns 212; 0 on failure.
UINT GetOutlineTextMetrics(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics);
