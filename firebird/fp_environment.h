#pragma once
// Client calls may leave the floating-point control words changed; every status check puts the
// process defaults back. Setting the environment stalls the pipeline, so it is done only when a
// control word differs (the sticky exception flags are not compared).
#include <cfenv>
#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

inline void ResetFloatingPointEnvironment() {
#if defined(__x86_64__)
    unsigned short x87 = 0;
    __asm__ volatile("fnstcw %0" : "=m"(x87));
    constexpr unsigned kMxcsrFlags = 0x3f;
    if (x87 == 0x037f && (_mm_getcsr() & ~kMxcsrFlags) == 0x1f80)
        return;
#endif
    std::fesetenv(FE_DFL_ENV);
}
