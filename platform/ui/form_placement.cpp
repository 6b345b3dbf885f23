// A form's Position and WindowState: where it shows first, its maximized and normal rectangles, its
// iconified window, and the window placement that reads and sets them.
#include "platform/rtl/flag_scope.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"
#include "platform/ui/window_system.h"

namespace {

TRect WorkAreaAround(const TRect& bounds) {
    TMonitor* monitor = Screen->MonitorFromRect(bounds, mdNearest);
    return monitor != nullptr ? monitor->WorkareaRect : Screen->WorkAreaRect();
}

TRect CentredIn(const TRect& area, const TRect& bounds) {
    int left = area.Left + (area.Width() - bounds.Width()) / 2;
    int top = area.Top + (area.Height() - bounds.Height()) / 2;
    return Bounds(left, top, bounds.Width(), bounds.Height());
}

}  // namespace

void TCustomForm::SetWindowState(TWindowState value) {
    if (value == windowState_)
        return;
    if (windowState_ == wsNormal)
        normalBounds_ = BoundsRect();
    TWindowState previous = windowState_;
    windowState_ = value;
    if (value == wsMaximized)
        SetBoundsRect(WorkAreaAround(normalBounds_));
    else if (value == wsNormal)
        SetBoundsRect(normalBounds_);
    if (value == wsMinimized)
        stateBeforeMinimized_ = previous;
    if ((value == wsMinimized) != (previous == wsMinimized))
        MinimizedChanged(value == wsMinimized);
}

void TCustomForm::SetPlacement(TWindowState state, const TRect& normal) {
    if (windowState_ == wsNormal)
        SetBoundsRect(normal);
    else
        normalBounds_ = normal;
    if (state != windowState_)
        SetWindowState(state);
    else if (state == wsMaximized)
        SetBoundsRect(WorkAreaAround(normal));
}

void TCustomForm::MinimizedChanged(bool minimized) {
    if (!shown_ || !native_)
        return;
    if (!hostMinimizing_)
        native_->SetMinimized(minimized);
    if (minimized) {
        HostActivated(false);
        return;
    }
    native_->Activate();
    HostActivated(true);
}

void TCustomForm::HostMinimizedChanged(bool minimized) {
    if (minimized == (windowState_ == wsMinimized))
        return;
    TFlagScope minimizing(hostMinimizing_);
    SetWindowState(minimized ? wsMinimized : stateBeforeMinimized_);
}

TRect TCustomForm::CentreOf(TPosition position) const {
    auto* mainForm = Application->MainForm();
    auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    if (position == poMainFormCenter && mainForm != nullptr && mainForm != this)
        return mainForm->BoundsRect();
    if (position == poOwnerFormCenter && ownerForm != nullptr)
        return ownerForm->BoundsRect();
    if (position == poDesktopCenter) {
        TRect desktop;
        for (int i = 0; i < Screen->MonitorCount(); ++i)
            desktop = UnionRect(desktop, Screen->Monitors(i)->BoundsRect);
        return desktop;
    }
    return Screen->WorkAreaRect();
}

void TCustomForm::PlaceForShowing() {
    if (placed_)
        return;
    placed_ = true;
    bool centred = position_ == poScreenCenter || position_ == poDesktopCenter ||
                   position_ == poMainFormCenter || position_ == poOwnerFormCenter;
    TRect normal = RestoredBounds();
    if (centred)
        normal = CentredIn(CentreOf(position_), normal);
    if (windowState_ == wsNormal) {
        SetBoundsRect(normal);
        return;
    }
    normalBounds_ = normal;
    if (windowState_ == wsMaximized)
        SetBoundsRect(WorkAreaAround(normal));
}

bool GetWindowPlacement(HWND wnd, WINDOWPLACEMENT* placement) {
    TWinControl* window = FindControl(wnd);
    if (window == nullptr || placement == nullptr)
        return false;
    *placement = WINDOWPLACEMENT{};
    placement->showCmd = SW_SHOWNORMAL;
    placement->rcNormalPosition = window->BoundsRect();
    if (auto* form = dynamic_cast<TCustomForm*>(window)) {
        if (form->WindowState() == wsMinimized)
            placement->showCmd = SW_SHOWMINIMIZED;
        else if (form->WindowState() == wsMaximized)
            placement->showCmd = SW_SHOWMAXIMIZED;
        placement->rcNormalPosition = form->RestoredBounds();
    }
    return true;
}

namespace {

TWindowState StateForShowCommand(UINT showCmd, TWindowState current) {
    switch (showCmd) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            return wsMinimized;
        case SW_SHOWMAXIMIZED:
            return wsMaximized;
        case SW_HIDE:
            return current;
        default:
            return wsNormal;
    }
}

}  // namespace

bool SetWindowPlacement(HWND wnd, const WINDOWPLACEMENT* placement) {
    TWinControl* window = FindControl(wnd);
    if (window == nullptr || placement == nullptr)
        return false;
    auto* form = dynamic_cast<TCustomForm*>(window);
    if (form == nullptr) {
        window->SetBoundsRect(placement->rcNormalPosition);
        return true;
    }
    form->SetPlacement(StateForShowCommand(placement->showCmd, form->WindowState()),
                       placement->rcNormalPosition);
    if (placement->showCmd == static_cast<UINT>(SW_HIDE))
        form->Hide();
    return true;
}
