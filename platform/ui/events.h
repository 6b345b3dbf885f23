#pragma once
// Event handler types. A handler is any callable; an empty one is "not assigned".
#include <functional>

#include "platform/rtl/notify_event.h"
#include "platform/ui/shift_state.h"
#include "platform/ui/types.h"

class TObject;

// Key is a virtual-key code; a handler may set it to 0 to swallow the key.
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// Key is the typed character (a code point); a handler may set it to 0 to swallow it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta: WHEEL_DELTA per notch, above 0 away from the user; MousePos in screen coordinates.
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
// MousePos: in the control's client coordinates, or (-1, -1) when the context-menu key asked.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
