#pragma once
// The cursor shown over every window of the program (the screen's cursor), as numbered by the
// platform. It lives below the window system so that libraries without windows can show that they
// are busy; the window system listens to it and shows it (without one, it is only remembered).
#include <functional>

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

namespace platform {

class ScreenCursor {
  public:
    using Listener = std::function<void(TCursor)>;
    TCursor Get() const { return cursor_; }
    // Tells the listener only when the cursor changes.
    void Set(TCursor cursor);
    // Returns the previous listener; an empty one leaves the cursor unshown.
    Listener SetListener(Listener listener);

  private:
    TCursor cursor_ = crDefault;
    Listener listener_;
};

}  // namespace platform

// The process's screen cursor (platform::Runtime().Cursor).
TCursor GetScreenCursor();
void SetScreenCursor(TCursor cursor);
// The window system listens here to show the cursor; empty by default.
void SetScreenCursorListener(std::function<void(TCursor)> listener);

// Shows a cursor for the life of the object and puts the previous one back, on every path.
class TScopedCursor {
  public:
    explicit TScopedCursor(TCursor cursor) : previous_(GetScreenCursor()) { SetScreenCursor(cursor); }
    ~TScopedCursor() { SetScreenCursor(previous_); }
    TScopedCursor(const TScopedCursor&) = delete;
    TScopedCursor& operator=(const TScopedCursor&) = delete;

  private:
    TCursor previous_;
};
