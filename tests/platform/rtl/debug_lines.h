#pragma once
// Collects what is written to the debug output for the life of the object.
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/debug_output.h"

class DebugLines {
  public:
    DebugLines()
        : previous_(SetDebugOutputSink([this](std::string_view text) { Lines.emplace_back(text); })) {}
    ~DebugLines() { SetDebugOutputSink(previous_); }
    DebugLines(const DebugLines&) = delete;
    DebugLines& operator=(const DebugLines&) = delete;
    std::vector<std::string> Lines;

  private:
    DebugOutputSink previous_;
};
