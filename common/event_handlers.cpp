#include "common/event_handlers.h"

// Out of line, so that every program using the holder links the finalisation below.
TEventHandlers::TEventHandlers(Key key) : TEventHandlers(key, std::string(StaticClassName)) {}

TEventHandlers::TEventHandlers(Key key, std::string className) : TSingletonClass(key, std::move(className)) {}

namespace {

// Frees a holder still alive when the program ends.
struct EventHandlersFinalization {
    EventHandlersFinalization() {}
    ~EventHandlersFinalization() { FreeInstancesOf<TEventHandlers>(); }
};

EventHandlersFinalization finalization;

}  // namespace
