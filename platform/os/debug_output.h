#pragma once
// The debug-output channel: stderr by default; tests and tools may replace the sink.
#include <functional>
#include <string>
#include <string_view>

using DebugOutputSink = std::function<void(std::string_view)>;

void OutputDebugString(std::string_view text);
// Installs a sink; an empty function restores stderr. Returns the previous sink.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);
