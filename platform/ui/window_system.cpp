#include "platform/ui/window_system.h"

#include "platform/ui/headless.h"

namespace platform::ui {
namespace {

WindowSystem* g_system = nullptr;

void ListenToCursor() {
    SetScreenCursorListener([](TCursor cursor) { CurrentWindowSystem().ShowCursor(cursor); });
}

WindowSystem& BuiltIn() {
    static auto* headless = new HeadlessWindowSystem();
    return *headless;
}

}  // namespace

WindowSystem& CurrentWindowSystem() {
    if (g_system == nullptr) {
        g_system = &BuiltIn();
        ListenToCursor();
    }
    return *g_system;
}

void SetWindowSystem(WindowSystem* system) {
    g_system = system != nullptr ? system : &BuiltIn();
    ListenToCursor();
}

}  // namespace platform::ui
