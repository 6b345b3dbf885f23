#include "platform/ui/focus_state.h"

#include <algorithm>

#include "platform/ui/form.h"

namespace platform::ui {
namespace {
TWinControl* g_focus = nullptr;
TWinControl* g_keyboardGrab = nullptr;
TCustomForm* g_activeForm = nullptr;
// Kept for the whole run: forms may still go away while the program's statics are torn down.
std::vector<TCustomForm*>& Forms() {
    static auto* forms = new std::vector<TCustomForm*>();
    return *forms;
}
}  // namespace

TWinControl* FocusHolder() {
    return g_focus;
}
void SetFocusHolder(TWinControl* control) {
    g_focus = control;
}

void ForgetFocusOf(TWinControl* control) {
    if (g_focus == control)
        g_focus = nullptr;
    if (g_keyboardGrab == control)
        g_keyboardGrab = nullptr;
    for (TCustomForm* form : Forms())
        if (form != control)
            form->DefocusControl(control, true);
}

TWinControl* KeyboardGrab() {
    return g_keyboardGrab;
}
void SetKeyboardGrab(TWinControl* control) {
    g_keyboardGrab = control;
}

void RegisterForm(TCustomForm* form) {
    Forms().push_back(form);
}

void UnregisterForm(TCustomForm* form) {
    auto& forms = Forms();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
    if (g_activeForm == form)
        g_activeForm = nullptr;
    if (g_focus == form)
        g_focus = nullptr;
}

const std::vector<TCustomForm*>& LiveForms() {
    return Forms();
}
TCustomForm* ActiveForm() {
    return g_activeForm;
}
void SetActiveForm(TCustomForm* form) {
    g_activeForm = form;
}

}  // namespace platform::ui

TWinControl* FocusedControl() {
    return platform::ui::FocusHolder();
}

HWND GetFocus() {
    TWinControl* focus = platform::ui::FocusHolder();
    return focus != nullptr ? focus->Handle() : 0;
}

TWinControl* FindControl(HWND wnd) {
    if (wnd == 0)
        return nullptr;
    // Walk the live forms' trees; handles are few and lookups rare.
    for (TCustomForm* form : platform::ui::LiveForms()) {
        std::vector<TWinControl*> pending{form};
        while (!pending.empty()) {
            TWinControl* c = pending.back();
            pending.pop_back();
            if (c->HandleAllocated() && c->Handle() == wnd)
                return c;
            for (int i = 0; i < c->ControlCount(); ++i)
                if (auto* w = dynamic_cast<TWinControl*>(c->Controls(i)))
                    pending.push_back(w);
        }
    }
    return nullptr;
}
