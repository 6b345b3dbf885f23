#include "platform/ui/system_parameters.h"

#include "platform/ui/screen.h"
#include "platform/ui/window_system.h"

bool SystemParametersInfo(UINT action, UINT, void* param, UINT) {
    if (action != SPI_GETWORKAREA || param == nullptr)
        return false;
    *static_cast<TRect*>(param) = Screen->WorkAreaRect();
    return true;
}

bool MessageBeep(UINT type) {
    platform::ui::CurrentWindowSystem().Beep(type);
    return true;
}
