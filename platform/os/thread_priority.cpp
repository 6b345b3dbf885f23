#include "platform/os/thread_priority.h"

#include <sys/resource.h>

#include "platform/os/sysinfo.h"

namespace {
constexpr int LowestNice = 19;
}

// On Linux a thread id names one thread here, not its whole process.
bool LowerCurrentThreadPriority() {
    return setpriority(PRIO_PROCESS, static_cast<id_t>(GetCurrentThreadId()), LowestNice) == 0;
}
