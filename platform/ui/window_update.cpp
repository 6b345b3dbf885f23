#include "platform/ui/window_update.h"

#include <algorithm>
#include <vector>

#include "platform/ui/control_canvas.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/form.h"
#include "platform/ui/top_level.h"
#include "platform/ui/win_control.h"

namespace {

// rect (client coordinates; nullptr the client area) in the top-level window's coordinates.
TRect InTopLevel(const TWinControl& control, const TRect* rect) {
    const TRect client = rect != nullptr ? *rect : control.ClientRect();
    const TPoint origin = control.FormOrigin();
    return OffsetRect(client, origin.X, origin.Y);
}

int RegionKind(const platform::ui::Region& region) {
    if (region.Empty())
        return NULLREGION;
    return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Moves the pixels that land in target by (dx, dy). A vertical move goes in place, the pieces in the
// order that reads each source before another piece overwrites it; any other takes a copy first.
void MovePixels(platform::ui::RasterImage& surface, const platform::ui::Region& target, int dx, int dy) {
    if (dx == 0) {
        std::vector<TRect> pieces = target.Rects();
        std::sort(pieces.begin(), pieces.end(),
                  [dy](const TRect& a, const TRect& b) { return dy > 0 ? a.Top > b.Top : a.Top < b.Top; });
        for (const TRect& r : pieces) surface.CopyFrom(surface, OffsetRect(r, 0, -dy), r.TopLeft(), r);
        return;
    }
    const TRect source = OffsetRect(target.Bounds(), -dx, -dy);
    platform::ui::RasterImage before(source.Width(), source.Height());
    before.CopyFrom(surface, source, {0, 0}, before.BoundsRect());
    for (const TRect& r : target.Rects())
        surface.CopyFrom(before, OffsetRect(r, -dx - source.Left, -dy - source.Top), r.TopLeft(), r);
}

}  // namespace

bool InvalidateRect(HWND wnd, const TRect* rect, bool) {
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return false;
    platform::ui::InvalidateTopLevel(*control, InTopLevel(*control, rect));
    return true;
}

bool ValidateRect(HWND wnd, const TRect* rect) {
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return false;
    if (auto* form = dynamic_cast<TCustomForm*>(platform::ui::TopLevelOf(control)))
        form->ValidateArea(InTopLevel(*control, rect));
    return true;
}

int ScrollWindowEx(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip,
                   platform::ui::Region* update, TRect* updateRect, UINT flags) {
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return RGN_ERROR;
    const TRect scrolled = InTopLevel(*control, scroll);
    const TRect limit = IntersectRect(InTopLevel(*control, clip), InTopLevel(*control, nullptr));
    // Where pixels land: the moved area within the limit and the control's own part of the window.
    platform::ui::Region target = control->OwnPaintArea();
    target.Intersect(IntersectRect(OffsetRect(scrolled, dx, dy), limit));
    platform::ui::Region uncovered = control->OwnPaintArea();
    uncovered.Intersect(IntersectRect(scrolled, limit));
    for (const TRect& r : target.Rects()) uncovered.Subtract(r);
    if (platform::ui::RasterImage* surface = platform::ui::TopLevelSurface(*control); surface != nullptr) {
        MovePixels(*surface, target, dx, dy);
        platform::ui::PresentTopLevel(*control, UnionRect(target.Bounds(), uncovered.Bounds()));
    }
    // Pixels still waiting for paint moved too: their mark goes with them.
    platform::ui::ScrollInvalidTopLevel(*control, IntersectRect(scrolled, limit), dx, dy);
    if ((flags & SW_INVALIDATE) != 0)
        for (const TRect& r : uncovered.Rects()) platform::ui::InvalidateTopLevel(*control, r);
    const TPoint origin = control->FormOrigin();
    platform::ui::Region local = uncovered;
    local.Offset(-origin.X, -origin.Y);
    if (update != nullptr)
        *update = local;
    if (updateRect != nullptr)
        *updateRect = local.Bounds();
    return RegionKind(local);
}
