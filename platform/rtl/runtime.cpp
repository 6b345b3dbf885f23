#include "platform/rtl/runtime.h"

namespace platform {

RuntimeServices& Runtime() {
    // Kept for the whole run: components still stop their timers while the program's statics go.
    static auto* services = new RuntimeServices();
    return *services;
}

}  // namespace platform
