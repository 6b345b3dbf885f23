#pragma once
// What the runtime keeps once for the whole process, below the window system: the timers, the
// screen cursor and the report of unhandled exceptions. Libraries without windows use them as they
// are; the window system, when it runs, drives the timers from its message loop, shows the cursor
// and installs the Application's exception report.
#include "platform/rtl/exception_hook.h"
#include "platform/rtl/screen_cursor.h"
#include "platform/rtl/timer_service.h"

namespace platform {

struct RuntimeServices {
    TimerService Timers;
    ScreenCursor Cursor;
    ExceptionHook Exceptions;
};

RuntimeServices& Runtime();

}  // namespace platform
