#pragma once
// The platform's drawing calls on a device context (a canvas here): lines and polygons with the
// canvas's pen and brush, the clip region and its saved states, and stretched copies.
#include <span>

#include "platform/ui/canvas.h"

// What a clip region turned out to be.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

bool MoveToEx(HDC dc, int x, int y, TPoint* previous);
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const TPoint* points, int count);
bool Polygon(HDC dc, const TPoint* points, int count);
// counts[i] points make polyline i; each is drawn on its own.
bool PolyPolyline(HDC dc, const TPoint* points, const DWORD* counts, DWORD polylines);

platform::ui::Region CreateRectRgn(int left, int top, int right, int bottom);
platform::ui::Region CreatePolygonRgn(std::span<const TPoint> points);
// A copy of region becomes the clip (nullptr: no clip of the canvas's own); the kind it makes.
int SelectClipRgn(HDC dc, const platform::ui::Region* region);
// 1 and the clip in region when the canvas has a clip of its own, 0 when not, -1 on failure.
int GetClipRgn(HDC dc, platform::ui::Region& region);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// Saves the clip and the pen position; RestoreDC takes a level SaveDC returned or -1 for the last.
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int savedDC);
// The colour the display shows for an RGB colour (0x00BBGGRR): itself on a true-colour display.
TColor GetNearestColor(HDC dc, TColor rgb);
// Canvases have no mapping modes: logical and device points are the same.
bool LPtoDP(HDC dc, TPoint* points, int count);

// Copies source's rectangle into the destination's, scaling it; rop as for BitBlt.
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int widthSrc,
                int heightSrc, DWORD rop);
