#include "platform/os/debug_output.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_mutex;
DebugOutputSink g_sink;
}  // namespace

void OutputDebugString(std::string_view text) {
    std::lock_guard lock(g_mutex);
    if (g_sink) {
        g_sink(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stderr);
}

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) {
    std::lock_guard lock(g_mutex);
    DebugOutputSink previous = std::move(g_sink);
    g_sink = std::move(sink);
    return previous;
}
