#pragma once
// TTimer lives in the runtime, below the window system (platform/rtl/timer.h); while the message
// loop runs, its ticks arrive through the loop, in turn with input (platform/ui/timers.h).
#include "platform/rtl/timer.h"
