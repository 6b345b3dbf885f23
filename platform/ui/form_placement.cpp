// A form's Position and WindowState: where it shows first, and its maximized and normal rectangles.
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/screen.h"

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
    windowState_ = value;
    if (value == wsMaximized)
        SetBoundsRect(WorkAreaAround(normalBounds_));
    else if (value == wsNormal)
        SetBoundsRect(normalBounds_);
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
