#include "platform/ui/dc_drawing.h"

#include "platform/ui/window_system.h"

using platform::ui::Region;

namespace {

int RegionKind(const Region& region) {
    if (region.Empty())
        return NULLREGION;
    return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::span<const TPoint> Points(const TPoint* points, int count) {
    return points != nullptr && count > 0 ? std::span<const TPoint>(points, static_cast<std::size_t>(count))
                                          : std::span<const TPoint>{};
}

// The clip drawing is under now: the canvas's own, or else all the canvas can reach.
Region CurrentClip(TCanvas& canvas) {
    return canvas.OwnClip() ? *canvas.OwnClip() : Region(canvas.ClipRect());
}

}  // namespace

bool MoveToEx(HDC dc, int x, int y, TPoint* previous) {
    if (dc == nullptr)
        return false;
    if (previous != nullptr)
        *previous = dc->PenPos();
    dc->MoveTo(x, y);
    return true;
}

bool LineTo(HDC dc, int x, int y) {
    if (dc == nullptr)
        return false;
    dc->LineTo(x, y);
    return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
    if (dc == nullptr || count < 2 || points == nullptr)
        return false;
    dc->Polyline(Points(points, count));
    return true;
}

bool Polygon(HDC dc, const TPoint* points, int count) {
    if (dc == nullptr || count < 2 || points == nullptr)
        return false;
    dc->Polygon(Points(points, count));
    return true;
}

bool PolyPolyline(HDC dc, const TPoint* points, const DWORD* counts, DWORD polylines) {
    if (dc == nullptr || points == nullptr || counts == nullptr)
        return false;
    for (DWORD i = 0; i < polylines; ++i)
        if (counts[i] < 2)
            return false;
    for (DWORD i = 0; i < polylines; ++i) {
        dc->Polyline(Points(points, static_cast<int>(counts[i])));
        points += counts[i];
    }
    return true;
}

Region CreateRectRgn(int left, int top, int right, int bottom) {
    return Region(Rect(left, top, right, bottom));
}

Region CreatePolygonRgn(std::span<const TPoint> points) {
    return platform::ui::PolygonRegion(points);
}

int SelectClipRgn(HDC dc, const Region* region) {
    if (dc == nullptr)
        return RGN_ERROR;
    if (region == nullptr) {
        dc->SetOwnClip(std::nullopt);
        return SIMPLEREGION;
    }
    dc->SetOwnClip(*region);
    return RegionKind(*region);
}

int GetClipRgn(HDC dc, Region& region) {
    if (dc == nullptr)
        return -1;
    if (!dc->OwnClip())
        return 0;
    region = *dc->OwnClip();
    return 1;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr)
        return RGN_ERROR;
    Region clip = CurrentClip(*dc);
    clip.Intersect(Rect(left, top, right, bottom));
    dc->SetOwnClip(clip);
    return RegionKind(clip);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr)
        return RGN_ERROR;
    Region clip = CurrentClip(*dc);
    clip.Subtract(Rect(left, top, right, bottom));
    dc->SetOwnClip(clip);
    return RegionKind(clip);
}

int SaveDC(HDC dc) {
    return dc != nullptr ? dc->SaveState() : 0;
}

bool RestoreDC(HDC dc, int savedDC) {
    return dc != nullptr && dc->RestoreState(savedDC);
}

bool LPtoDP(HDC dc, TPoint* points, int count) {
    return dc != nullptr && (points != nullptr || count == 0);
}

bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int widthSrc,
                int heightSrc, DWORD rop) {
    if (dest == nullptr || (src == nullptr && rop == SRCCOPY))
        return false;
    const TCopyMode saved = dest->CopyMode;
    dest->CopyMode = static_cast<TCopyMode>(rop);
    dest->CopyRect(Bounds(x, y, width, height), src != nullptr ? *src : *dest,
                   Bounds(xSrc, ySrc, widthSrc, heightSrc));
    dest->CopyMode = saved;
    return true;
}

TColor GetNearestColor(HDC /*dc*/, TColor rgb) {
    return static_cast<TColor>(
        platform::ui::CurrentWindowSystem().NearestColor(static_cast<std::uint32_t>(rgb)));
}
