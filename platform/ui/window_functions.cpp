#include "platform/ui/window_functions.h"

#include "platform/ui/form.h"
#include "platform/ui/top_level.h"
#include "platform/ui/window_system.h"

namespace {

void Restack(TWinControl& control, HWND insertAfter) {
    if (insertAfter == HWND_BOTTOM)
        control.SendToBack();
    else
        control.BringToFront();
}

void ShowForm(TCustomForm& form, bool show, bool activate) {
    form.SetVisible(show);
    if (show && activate && form.Native() != nullptr) {
        form.Native()->Activate();
        form.HostActivated(true);
    }
}

}  // namespace

bool SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return false;
    platform::ui::NoRedrawScope noRedraw((flags & SWP_NOREDRAW) != 0);
    TRect r = control->BoundsRect();
    if ((flags & SWP_NOMOVE) == 0)
        r = Bounds(x, y, r.Width(), r.Height());
    if ((flags & SWP_NOSIZE) == 0)
        r = Bounds(r.Left, r.Top, cx, cy);
    control->SetBoundsRect(r);
    if ((flags & SWP_NOZORDER) == 0)
        Restack(*control, insertAfter);
    if ((flags & SWP_FRAMECHANGED) != 0)
        control->UpdateFrame();
    bool activate = (flags & SWP_NOACTIVATE) == 0;
    auto* form = dynamic_cast<TCustomForm*>(control);
    if ((flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
        bool show = (flags & SWP_SHOWWINDOW) != 0;
        if (form != nullptr)
            ShowForm(*form, show, activate);
        else
            control->SetWindowVisible(show);
    } else if (form != nullptr && activate && form->Visible()) {
        ShowForm(*form, true, true);
    }
    return true;
}

bool ShowWindow(HWND wnd, int command) {
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return false;
    bool wasVisible = control->IsShowing();
    bool show = command != SW_HIDE;
    bool activate = command == SW_SHOW || command == SW_SHOWNORMAL;
    if (auto* form = dynamic_cast<TCustomForm*>(control))
        ShowForm(*form, show, activate);
    else
        control->SetWindowVisible(show);
    return wasVisible;
}

bool IsWindowVisible(HWND wnd) {
    TWinControl* control = FindControl(wnd);
    return control != nullptr && control->IsShowing();
}

bool IsChild(HWND parent, HWND child) {
    TWinControl* c = FindControl(child);
    if (c == nullptr || parent == 0 || child == parent)
        return false;
    while (!c->IsTopLevelWindow() && c->Parent() != nullptr) {
        c = c->Parent();
        if (c->Handle() == parent)
            return true;
    }
    return false;
}

HWND SetParent(HWND child, HWND newParent) {
    TWinControl* control = FindControl(child);
    if (control == nullptr)
        return 0;
    TWinControl* parent = control->Parent();
    HWND previous = control->IsTopLevelWindow() || parent == nullptr ? 0 : parent->Handle();
    if (newParent == 0) {
        control->SetTopLevelWindow(true);
        return previous;
    }
    if (parent == nullptr || parent->Handle() != newParent)
        return 0;
    control->SetTopLevelWindow(false);
    return previous;
}

int StyleFrameWidth(DWORD style, DWORD exStyle) {
    return ((style & WS_BORDER) != 0 ? 1 : 0) + ((exStyle & WS_EX_CLIENTEDGE) != 0 ? 2 : 0);
}

bool AdjustWindowRectEx(TRect& rect, DWORD style, bool menu, DWORD exStyle) {
    (void)menu;  // no window here has a menu bar
    int w = StyleFrameWidth(style, exStyle);
    rect = {rect.Left - w, rect.Top - w, rect.Right + w, rect.Bottom + w};
    return true;
}

int SetWindowRgn(HWND wnd, std::optional<platform::ui::Region> region, bool redraw) {
    (void)redraw;
    TWinControl* control = FindControl(wnd);
    if (control == nullptr)
        return 0;
    control->SetWindowRegion(std::move(region));
    return 1;
}
