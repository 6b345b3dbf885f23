#pragma once
// Qt key events as the platform's virtual-key codes and shift states.
#include <QKeyEvent>

#include "platform/ui/shift_state.h"
#include "platform/ui/types.h"

namespace platform::ui {

WORD VirtualKeyFromQt(const QKeyEvent& event);
TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

}  // namespace platform::ui
