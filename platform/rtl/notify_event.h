#pragma once
// The plain event handler type. A handler is any callable; an empty one is "not assigned".
#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;
