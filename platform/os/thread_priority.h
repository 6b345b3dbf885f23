#pragma once
// The calling thread's share of the processor.

// Runs the calling thread alone at the lowest priority (nice 19): while other threads want the
// processor it gets a small share of it, and all it wants when they do not. The other threads of
// the process keep theirs. False when the system refused.
bool LowerCurrentThreadPriority();
