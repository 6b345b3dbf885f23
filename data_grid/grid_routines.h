#pragma once
// Small routines the grid's parts share: field checks, grid rectangles, message and integer
// helpers, and text measuring for cells and their hints.
#include <string>
#include <vector>

#include "platform/ui/grid_types.h"
#include "platform/ui/messages.h"
#include "platform/ui/types.h"

class TCanvas;
class TField;

// True when every field of the list can be modified (an empty list too).
bool AllFieldsModifiable(const std::vector<TField*>& Fields);

TGridRect MakeGridRect(int Left, int Top, int Right, int Bottom);
// Borders included.
bool PointInGridRect(int Col, int Row, const TGridRect& Rect);

// Raises EInvalidGridOperation with the text.
[[noreturn]] void RaiseGridOperationError(const std::string& Text);

// Takes one waiting message of that number off the window's queue. A quit request taken on the
// way is posted again with its exit code, so the program still ends.
void DropPendingMessage(HWND Window, UINT Message);

inline int LargerInt(int A, int B) {
    return A > B ? A : B;
}
inline int SmallerInt(int A, int B) {
    return A < B ? A : B;
}
inline int ChooseInt(bool Flag, int A, int B) {
    return Flag ? A : B;
}

// The same top-left corner with width and height swapped: the room of a text turned upright.
TRect RotateRectUpright(const TRect& Rect);

// The width of the text on its lines as DrawText measures it, '&' taken as it is.
int MeasureTextWidth(TCanvas& Canvas, const std::string& Text);

// Measures the text for a cell of Rect's size (less the right indent and 2 pixels, at least 1
// wide), wrapped at words when WordWrap; returns its size through TextHeight and TextWidth and
// whether it does not fit: wider than that room, or higher than the cell less the line spacing
// plus 1. ReadingFlags adds the DrawText reading-order flags.
bool TextNeedsHint(UINT ReadingFlags, TCanvas& Canvas, int RightIndent, int& TextHeight, int& TextWidth,
                   bool WordWrap, const TRect& Rect, const std::string& Text, int LineSpacing);
