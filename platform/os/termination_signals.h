#pragma once
// SIGINT and SIGTERM as a request to end the program cleanly: the handler only notes the signal,
// and the program answers it on its own thread (its message loop looks, see platform/ui's
// TTerminationWatch), finishing its work, ending its transactions and returning exit code 0
// instead of ending where it stands. Libraries that would answer these signals themselves (the
// embedded Firebird engine does) leave them to the program once it catches them.
namespace platform {

// Catches both signals: one thread of its own takes them and every thread made afterwards leaves
// them to it, so call it first thing in main. Once is enough; again does nothing.
void CatchTerminationSignals();
// Whether the program has installed the handler.
bool TerminationSignalsCaught();
// The signal that asked the program to end, 0 while none did; taking it answers it, so a later
// signal is a new request.
int TakeTerminationRequest();
// Asks the program to end as if the signal had come (for a library that took the signal itself);
// an earlier request is kept.
void RequestTermination(int signal);

}  // namespace platform
