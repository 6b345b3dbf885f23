#include <gtest/gtest.h>
#include <sys/resource.h>

#include <thread>

#include "platform/os/sysinfo.h"
#include "platform/os/thread_priority.h"

namespace {

int NiceOfCallingThread() {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(GetCurrentThreadId()));
}

TEST(ThreadPriority, LowersTheCallingThreadAloneToTheLowest) {
    const int before = NiceOfCallingThread();
    bool lowered = false;
    int nice = 0;
    std::thread([&] {
        lowered = LowerCurrentThreadPriority();
        nice = NiceOfCallingThread();
    }).join();
    EXPECT_TRUE(lowered);
    EXPECT_EQ(nice, 19);
    EXPECT_EQ(NiceOfCallingThread(), before) << "the other threads keep their priority";
}

}  // namespace
