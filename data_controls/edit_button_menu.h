#pragma once
// The parts of an edit's button row the data-aware edit and the grid's in-place editor share: a new
// button control, and a button's drop-down menu with the marker that keeps the press closing the menu
// from opening it again.
#include "data_controls/edit_button_control.h"
#include "platform/ui/popup_menu.h"

// A visible button control on Edit, before its hooks and settings.
TEditButtonControlEh* NewEditButtonControlFor(TWinControl& Edit);
// Drops Menu down under the button for Edit and marks the button by its Tag in Edit's queue; the
// button lets go of the mouse the menu took.
void ShowEditButtonMenu(TPopupMenu& Menu, TWinControl& Edit, TEditButtonControlEh& Control);
// Takes the marker waiting for the button of that Tag; false when none waits for it.
bool TakeMenuClosedMarker(TWinControl& Edit, int Tag);
// The start of a press on a button of Edit: Edit takes the focus and Handled is cleared. The button
// control pressed; nullptr when Sender is none, or when the press closed the button's menu and must
// not open it again.
TEditButtonControlEh* StartButtonPress(TWinControl& Edit, TObject* Sender, bool& Handled);
