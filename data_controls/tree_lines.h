#pragma once
// Dotted lines and tree-view expander boxes, as the grid draws its tree column.
#include "platform/ui/canvas.h"

// Single-pixel dots 2 x pen width apart; Phase picks which pixels of the checkerboard they take, so
// lines drawn in pieces join up.
void DrawDottedLine(TCanvas& canvas, TPoint start, int length, int phase, bool horizontal);
// Kinds 0-5: a box with a minus (0-2) or a plus (3-5) and its connector lines; 6-9 connectors only.
void DrawTreeNodeGlyph(TCanvas& canvas, const TRect& rect, int kind, double scaleY, double scaleX, int phase);
