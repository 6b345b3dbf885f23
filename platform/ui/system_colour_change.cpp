#include "platform/ui/system_colour_change.h"

#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/messages.h"

namespace {

void TellControls(TWinControl& parent) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        child->Perform(CM_SYSCOLORCHANGE);
        if (auto* win = dynamic_cast<TWinControl*>(child))
            TellControls(*win);
    }
}

}  // namespace

void BroadcastSysColorChange() {
    // Utility windows are top-level windows too (a style's hidden window follows the colour depth).
    for (HWND wnd : platform::ui::UtilityWindows()) SendMessage(wnd, WM_SYSCOLORCHANGE, 0, 0);
    // A handler may close a form: go over a copy.
    const std::vector<TCustomForm*> forms = platform::ui::LiveForms();
    for (TCustomForm* form : forms) {
        form->Perform(WM_SYSCOLORCHANGE);
        form->Perform(CM_SYSCOLORCHANGE);
        TellControls(*form);
        form->Invalidate();
    }
}
