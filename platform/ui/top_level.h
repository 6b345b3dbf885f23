#pragma once
// The top-level window a control is drawn in: its form, or the pop-up it lies on. Coordinates
// called "form coordinates" elsewhere are that window's.
#include "platform/ui/cursors.h"
#include "platform/ui/raster_image.h"
#include "platform/ui/types.h"

class TControl;
class TWinControl;

namespace platform::ui {

// The form or pop-up holding control (itself for either); nullptr for a control on no window.
TWinControl* TopLevelOf(const TControl* control);
// The pixels of that window; nullptr when it has none.
RasterImage* TopLevelSurface(const TControl& control);
// Marks part of that window (its coordinates) for painting at the next message-loop pass.
void InvalidateTopLevel(const TControl& control, const TRect& rect);
// What waits for painting inside area (that window's coordinates) moves by (dx, dy) with the pixels
// a scroll moves there, as a window system carries its update region along.
void ScrollInvalidTopLevel(const TControl& control, const TRect& area, int dx, int dy);
// Paints what is invalid in that window now.
void PaintTopLevel(const TControl& control);
class NativeWindow;
// The host's window of that top-level window; nullptr when it has none yet.
NativeWindow* TopLevelNative(const TControl& control);
// Shows cursor as the pointer over that window.
void ShowPointer(const TControl& control, TCursor cursor);
// Tells the host that these pixels of that window changed.
void PresentTopLevel(const TControl& control, const TRect& rect);

// While one lives (and is on), nothing is marked for painting: SetWindowPos with SWP_NOREDRAW.
class NoRedrawScope {
  public:
    explicit NoRedrawScope(bool on);
    ~NoRedrawScope();
    NoRedrawScope(const NoRedrawScope&) = delete;
    NoRedrawScope& operator=(const NoRedrawScope&) = delete;

  private:
    bool on_;
};

}  // namespace platform::ui
