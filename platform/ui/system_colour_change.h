#pragma once
// Telling the windows that the system colours changed: every form and every utility window
// (AllocateHWnd) gets WM_SYSCOLORCHANGE, every control on a form CM_SYSCOLORCHANGE (a grid drops
// the button faces it drew in the old colours), and the forms paint again.
void BroadcastSysColorChange();
