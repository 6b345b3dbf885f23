#include "platform/ui/cursors.h"

#include <utility>

namespace {
TCursor g_cursor = crDefault;
std::function<void(TCursor)>& Listener() {
    static std::function<void(TCursor)> listener;
    return listener;
}
}  // namespace

TCursor GetScreenCursor() {
    return g_cursor;
}

void SetScreenCursor(TCursor cursor) {
    if (cursor == g_cursor)
        return;
    g_cursor = cursor;
    if (Listener())
        Listener()(cursor);
}

void SetScreenCursorListener(std::function<void(TCursor)> listener) {
    Listener() = std::move(listener);
}
