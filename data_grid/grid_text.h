#pragma once
// Writing a cell's text: horizontally or turned upward, aligned, laid out top to bottom, within
// margins, wrapped or shortened with "...", and an image centred in a cell, clipped to it. Colours
// come from the canvas's brush and font; a brush colour the display cannot show exactly is drawn
// through the shared off-screen bitmap so the cell's background stays even.
#include <string>

#include "platform/rtl/alignment.h"
#include "platform/ui/font.h"
#include "platform/ui/label.h"
#include "platform/ui/types.h"

class TBitmap;
class TCanvas;
class TCustomImageList;

// The text, or as many of its first characters as fit MaxWidth followed by "..." (at least two
// characters dropped; "..." alone when none fit).
std::string ShortenTextToWidth(const std::string& Text, TCanvas* Canvas, int MaxWidth);

void DrawGridText(TCanvas* ACanvas, const TRect& ARect, bool FillRect, int DX, int DY,
                  const std::string& Text, TAlignment Alignment, TTextLayout Layout, bool MultyL,
                  bool EndEllipsis, int LeftMarg, int RightMarg, bool ARightToLeftReading);

// Text reading upward from the cell's bottom; never shortened. Returns the text's extent along its
// direction; with CalcTextExtent only measures.
int DrawGridTextVertical(TCanvas* ACanvas, const TRect& ARect, bool FillRect, int DX, int DY,
                         const std::string& Text, TAlignment Alignment, TTextLayout Layout, bool EndEllipsis,
                         bool CalcTextExtent);

// The image list's entry (or, without a list, the bitmap) centred vertically in the cell.
void DrawImageClipped(TCustomImageList* Images, TBitmap* Bitmap, TCanvas* ACanvas, const TRect& ARect,
                      int ImageIndex, int DX, TAlignment Align);

// The font turned by 90 degrees (reading upward).
HFONT CreateRotatedFont(const TFont& Font);
