#pragma once
// The embedded engine catches SIGINT and SIGTERM at the first attachment and answers them by
// detaching every connection of the process, which goes on running with dead connections. A
// program that catches these signals itself (platform/os/termination_signals.h) keeps them: the
// engine's shut-down on a signal is refused and the signal becomes the program's request to end,
// so that it posts, commits and detaches as on a normal close.
#include "platform/os/dynamic_library.h"

// Registers the refusal with a loaded client library; a library without the shut-down callback
// entry point is left as it is.
void LeaveTerminationSignalsToProgram(HMODULE clientLibrary);
