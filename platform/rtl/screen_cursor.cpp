#include "platform/rtl/screen_cursor.h"

#include <utility>

#include "platform/rtl/runtime.h"

namespace platform {

void ScreenCursor::Set(TCursor cursor) {
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    if (listener_)
        listener_(cursor);
}

ScreenCursor::Listener ScreenCursor::SetListener(Listener listener) {
    return std::exchange(listener_, std::move(listener));
}

}  // namespace platform

TCursor GetScreenCursor() {
    return platform::Runtime().Cursor.Get();
}

void SetScreenCursor(TCursor cursor) {
    platform::Runtime().Cursor.Set(cursor);
}

void SetScreenCursorListener(std::function<void(TCursor)> listener) {
    platform::Runtime().Cursor.SetListener(std::move(listener));
}
