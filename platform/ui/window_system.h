#pragma once
// The host under our window system: it shows each form in a window of its own, turns its input
// into our messages (platform/ui/input.h), measures and draws text, lists the monitors and shows
// message boxes. Qt is one host (platform/ui/qt); the headless one serves tests without a display.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/cursors.h"
#include "platform/ui/raster_image.h"
#include "platform/ui/region.h"
#include "platform/ui/text_engine.h"
#include "platform/ui/types.h"

class TCustomForm;
class TWinControl;

namespace platform::ui {

struct MonitorInfo {
    TRect Bounds;
    TRect WorkArea;
    bool Primary = false;
};

// The host's window for one form.
class NativeWindow {
  public:
    virtual ~NativeWindow() = default;
    virtual void SetBounds(const TRect& bounds) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetBorderless(bool borderless) = 0;
    // Shows the form's surface pixels of rect (form coordinates) on the screen.
    virtual void Present(const TRect& rect) = 0;
    // Lets surface draw straight on the pixels the host keeps for this window, width x height of
    // them: pixels that still fit keep their place, new ones take fill. False when the host keeps none
    // it can lend now; the surface then keeps pixels of its own, which Present copies.
    virtual bool LendPixels(RasterImage& surface, int width, int height, std::uint32_t fill) {
        (void)surface, (void)width, (void)height, (void)fill;
        return false;
    }
    virtual void Activate() = 0;
    // The pointer's shape over this window (WM_SETCURSOR's answer).
    virtual void SetPointer(TCursor cursor) = 0;
    // The part of the window that exists (window coordinates); nullptr: all of it.
    virtual void SetShape(const Region* shape) = 0;
    // Iconifies a form's window, or brings it back; also before the window first shows.
    virtual void SetMinimized(bool minimized) { (void)minimized; }
    // Keeps the window above the program's other windows.
    virtual void SetStayOnTop(bool stayOnTop) { (void)stayOnTop; }
    // A dialog's frame: the user cannot resize the window, minimize or maximize it.
    virtual void SetFixedFrame(bool fixed) { (void)fixed; }
};

class ThemePainter;

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(TCustomForm& form) = 0;
    // The window of a pop-up control, above owner's window: shown without activation, never taking
    // the keyboard, its clicks its own. Its bounds are screen coordinates.
    virtual std::unique_ptr<NativeWindow> CreatePopupWindow(TWinControl& control, TCustomForm* owner) = 0;
    virtual TextEngine& Text() = 0;
    virtual std::vector<MonitorInfo> Monitors() = 0;
    // Moves the host's pending input into our queue; never blocks.
    virtual void PumpEvents() = 0;
    // Blocks until the host has input or maxWaitMs passed (nothing: no limit).
    virtual void WaitForEvents(std::optional<std::uint64_t> maxWaitMs) = 0;
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    virtual void ShowCursor(TCursor cursor) = 0;
    // The host's look for themed control parts; nullptr: none, parts are drawn the classic way.
    virtual ThemePainter* Theme() { return nullptr; }
    // The sound for a message of this kind (an MB_ICON* value, or 0xFFFFFFFF for a simple beep).
    virtual void Beep(UINT type) { (void)type; }
    // The screen's NUMCOLORS: the number of palette colours, -1 on a display of more than 256 colours.
    virtual int ScreenNumColors() { return -1; }
    // The colour (0x00BBGGRR) the display shows for rgb; a true-colour display shows every colour.
    virtual std::uint32_t NearestColor(std::uint32_t rgb) { return rgb; }
};

// The installed host; a headless one until another is installed.
WindowSystem& CurrentWindowSystem();
// Not owned; nullptr goes back to the built-in headless host.
void SetWindowSystem(WindowSystem* system);

}  // namespace platform::ui
