#pragma once
// Three-dimensional edges in the classic system colours (DrawEdge) and the dotted focus frame
// (DrawFocusRect), on a canvas.
#include "platform/ui/canvas.h"

// Edge kinds: an outer and an inner ring, each raised or sunken.
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT BDR_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT BDR_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// Which sides, and how.
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_DIAGONAL = 0x0010;  // not drawn here
constexpr UINT BF_MIDDLE = 0x0800;    // fill the inside with the button face
constexpr UINT BF_SOFT = 0x1000;      // the rings' light colours trade places
constexpr UINT BF_ADJUST = 0x2000;    // rect becomes what lies inside the edge
constexpr UINT BF_FLAT = 0x4000;      // shadow and face instead of light and dark
constexpr UINT BF_MONO = 0x8000;      // frame and window colours

// Draws the rings edge asks for on the sides flags name, outer first. Returns false, drawing
// nothing, for an edge kind of neither ring and for diagonal edges.
bool DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags);
// Inverts every other pixel of the rectangle's one-pixel frame; a second call takes it away.
bool DrawFocusRect(HDC dc, const TRect* rect);

namespace platform::ui {
// Sets the pixels of rect (canvas coordinates) to color, whatever the canvas's brush.
void PaintSolid(TCanvas& canvas, const TRect& rect, TColor color);
}  // namespace platform::ui
