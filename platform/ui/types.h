#pragma once
// Basic window-system types: handles, message parameters, points, sizes and rectangles.
#include <algorithm>
#include <cstdint>

#include "platform/rtl/mul_div.h"

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = unsigned;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT_PTR = std::uintptr_t;
using HWND = std::uintptr_t;  // 0 is no window

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TPoint TopLeft() const { return {Left, Top}; }
    bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) {
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

inline TRect OffsetRect(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// The overlap of two rectangles; an empty rectangle (all zero) when they do not overlap.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

// The smallest rectangle holding both; an empty one does not count.
inline TRect UnionRect(const TRect& a, const TRect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}
