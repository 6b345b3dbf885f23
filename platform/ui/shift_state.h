#pragma once
// Held modifier keys and mouse buttons, as handed to key and mouse events.
#include "platform/ui/set.h"

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
