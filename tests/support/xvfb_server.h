#pragma once
// A private X server (Xvfb) on a display number it picks itself, stopped on destruction.
#include <chrono>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace testsupport {

class XvfbServer {
  public:
    // screen as Xvfb takes it: "WIDTHxHEIGHTxDEPTH".
    explicit XvfbServer(const std::string& screen);

    // ":N", or empty when the server did not start.
    const std::string& Display() const { return display_; }

    // Runs a helper program (xdotool, setxkbmap, xwd ...) against this display; true when it
    // ended with status 0 within the time.
    bool Run(const std::vector<std::string>& argv,
             std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

  private:
    ChildProcess server_;
    std::string display_;
};

}  // namespace testsupport
