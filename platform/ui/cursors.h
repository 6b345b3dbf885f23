#pragma once
// The screen cursor lives in the runtime, below the window system (platform/rtl/screen_cursor.h);
// the installed host shows it (platform/ui/window_system.h).
#include "platform/rtl/screen_cursor.h"
