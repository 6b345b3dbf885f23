#include "common/event_handlers.h"

namespace {

// Frees a holder still alive when the program ends.
struct EventHandlersFinalization {
    EventHandlersFinalization() {}
    ~EventHandlersFinalization() { FreeInstancesOf<TEventHandlers>(); }
};

EventHandlersFinalization finalization;

}  // namespace
