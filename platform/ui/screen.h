#pragma once
// TScreen: the monitors and their work areas, as the window system reports them, and the cursor
// shown over every window.
#include <memory>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/ui/cursors.h"
#include "platform/ui/types.h"

class TCustomForm;
class TWinControl;

class TMonitor {
  public:
    int MonitorNum = 0;
    bool Primary = false;
    TRect BoundsRect;
    TRect WorkareaRect;
    int Left() const { return BoundsRect.Left; }
    int Top() const { return BoundsRect.Top; }
    int Width() const { return BoundsRect.Width(); }
    int Height() const { return BoundsRect.Height(); }
};

// What MonitorFromRect gives for a rectangle on no monitor.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TScreen : public TComponent {
  public:
    TScreen();
    std::string ClassName() const override { return "TScreen"; }
    int MonitorCount();
    // Monitor index of the platform's list (0 first); nullptr when out of range. Each call asks the
    // host afresh; a monitor object stays where it is for the whole run, so pointers stay valid.
    TMonitor* Monitors(int index);
    int Width();  // of the primary monitor
    int Height();
    TRect WorkAreaRect();  // of the primary monitor
    // The monitor the rectangle overlaps most; for one on no monitor, as how says (nearest: the
    // monitor closest to it).
    TMonitor* MonitorFromRect(const TRect& rect, TMonitorDefaultTo how = mdNearest);
    TMonitor* MonitorFromPoint(TPoint point, TMonitorDefaultTo how = mdNearest);
    int PixelsPerInch() const { return 96; }

    TCursor Cursor() const { return GetScreenCursor(); }
    void SetCursor(TCursor value) { SetScreenCursor(value); }

    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

  private:
    void Refresh();
    const TMonitor* Primary() const;
    std::vector<std::unique_ptr<TMonitor>> monitors_;  // the first count_ are the host's monitors
    std::size_t count_ = 0;
};

extern TScreen* Screen;
