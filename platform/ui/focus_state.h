#pragma once
// Who holds the keyboard focus, and the forms that are alive.
#include <vector>

class TWinControl;
class TCustomForm;

namespace platform::ui {

TWinControl* FocusHolder();
void SetFocusHolder(TWinControl* control);
// Drops every reference to a control that goes away.
void ForgetFocusOf(TWinControl* control);
// The window that takes the keyboard while it is open (a pop-up menu), the focus staying where it
// is; nullptr: keys go to the focused control.
TWinControl* KeyboardGrab();
void SetKeyboardGrab(TWinControl* control);

void RegisterForm(TCustomForm* form);
void UnregisterForm(TCustomForm* form);
const std::vector<TCustomForm*>& LiveForms();
TCustomForm* ActiveForm();
void SetActiveForm(TCustomForm* form);

}  // namespace platform::ui
