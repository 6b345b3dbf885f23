#pragma once
// Watches the top-level windows that appear on an X display from outside, as a screen would see
// them: when one is mapped, each time something is drawn into it (X DAMAGE), and what it shows
// then (its pixels read back). Programs under test are measured without any help of their own.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A rectangle of a window's pixels, 0xRRGGBB, row by row.
struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
};

// Pixels of pixels whose red, green and blue each lie within tolerance of colour's.
int CountNear(const WindowPixels& pixels, std::uint32_t colour, int tolerance);

class WindowFrames {
  public:
    using Clock = std::chrono::steady_clock;
    enum class Seen { Nothing, Map, Paint };
    struct Event {
        Seen what = Seen::Nothing;
        xcb_window_t window = XCB_NONE;
    };

    WindowFrames() = default;
    WindowFrames(const WindowFrames&) = delete;
    WindowFrames& operator=(const WindowFrames&) = delete;
    ~WindowFrames();

    // Connects to display (empty: $DISPLAY) and watches from now on; false without a server that
    // has DAMAGE.
    bool Open(const std::string& display = {});

    // The next map of a new window or drawing into one; Nothing on time-out or a lost server. After a
    // Paint, later drawing into that window is reported only once Rearm was called for it.
    Event Next(Clock::time_point deadline);
    void Rearm(xcb_window_t window);

    // The window's pixels in the rectangle as they are now; nothing when they cannot be read.
    std::optional<WindowPixels> Read(xcb_window_t window, int x, int y, int width, int height);

  private:
    xcb_generic_event_t* WaitEvent(Clock::time_point deadline);
    void Watch(xcb_window_t window);

    xcb_connection_t* conn_ = nullptr;
    int damageEvent_ = -1;
    std::map<xcb_window_t, std::uint32_t> damages_;
};

}  // namespace testsupport
