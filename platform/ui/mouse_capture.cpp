#include "platform/ui/mouse_capture.h"

#include "platform/ui/form.h"
#include "platform/ui/win_control.h"

namespace {

struct MouseOwners {
    TControl* capture = nullptr;
    TControl* underPointer = nullptr;
};

MouseOwners& Owners() {
    static MouseOwners owners;
    return owners;
}

HWND WindowOf(TControl* control) {
    if (control == nullptr)
        return 0;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win == nullptr)
        win = control->Parent();
    return win != nullptr ? win->Handle() : 0;
}

}  // namespace

TControl* GetCaptureControl() {
    return Owners().capture;
}

void SetCaptureControl(TControl* control) {
    TControl* previous = Owners().capture;
    if (previous == control)
        return;
    Owners().capture = control;
    if (previous != nullptr)
        previous->Perform(WM_CAPTURECHANGED, 0, static_cast<LPARAM>(WindowOf(control)));
}

HWND GetCapture() {
    return WindowOf(Owners().capture);
}

HWND SetCapture(HWND wnd) {
    HWND previous = GetCapture();
    SetCaptureControl(FindControl(wnd));
    return previous;
}

bool ReleaseCapture() {
    SetCaptureControl(nullptr);
    return true;
}

TControl* GetMouseControl() {
    return Owners().underPointer;
}

void SetMouseControl(TControl* control) {
    TControl* previous = Owners().underPointer;
    if (previous == control)
        return;
    Owners().underPointer = control;
    if (previous != nullptr)
        previous->Perform(CM_MOUSELEAVE);
    // A leave handler may have moved the pointer on already.
    if (control != nullptr && Owners().underPointer == control)
        control->Perform(CM_MOUSEENTER);
}

void ForgetMouseControl(const TControl* control) {
    if (Owners().capture == control)
        Owners().capture = nullptr;
    if (Owners().underPointer == control)
        Owners().underPointer = nullptr;
}

namespace platform::ui {

TWinControl* WindowAtFormPoint(TWinControl& top, TPoint pos) {
    TWinControl* at = &top;
    for (;;) {
        TPoint o = at->FormOrigin();
        auto* win = dynamic_cast<TWinControl*>(at->ControlAtPos({pos.X - o.X, pos.Y - o.Y}, false, true));
        if (win == nullptr)
            return at;
        at = win;
    }
}

TControl* ControlAtFormPoint(TWinControl& top, TPoint pos) {
    if (!top.ClientRect().Contains(pos))
        return nullptr;
    TWinControl* win = WindowAtFormPoint(top, pos);
    TPoint o = win->FormOrigin();
    TControl* graphic = win->ControlAtPos({pos.X - o.X, pos.Y - o.Y}, false);
    return graphic != nullptr ? graphic : win;
}

}  // namespace platform::ui
