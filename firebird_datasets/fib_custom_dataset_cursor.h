#pragma once
// The dataset's SQLScreenCursor shown for the length of a long step.
#include "platform/rtl/screen_cursor.h"

// Restores the screen cursor on every path; does nothing for cursor 0 (none asked for).
class TScreenCursorScope {
  public:
    explicit TScreenCursorScope(TCursor cursor) : active_(cursor != 0), previous_(GetScreenCursor()) {
        if (active_)
            SetScreenCursor(cursor);
    }
    ~TScreenCursorScope() {
        if (active_)
            SetScreenCursor(previous_);
    }
    TScreenCursorScope(const TScreenCursorScope&) = delete;
    TScreenCursorScope& operator=(const TScreenCursorScope&) = delete;

  private:
    bool active_;
    TCursor previous_;
};
