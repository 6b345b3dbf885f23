#include "data_controls/drop_down_placement.h"

#include "platform/ui/control.h"
#include "platform/ui/screen.h"
#include "platform/ui/win_control.h"

namespace {

enum Side : WPARAM { sideLeft = 0, sideRight = 1, sideTop = 2, sideBottom = 3 };

int PlaceVertically(const TRect& owner, TControl* dropDown, const TRect& work) {
    const int height = dropDown->Height();
    const bool passesBottom = owner.Bottom + height > work.Bottom;
    const bool passesTop = owner.Top - height < work.Top;
    const bool upwards =
        (passesBottom && !passesTop) || (passesTop && work.Bottom - owner.Bottom < owner.Top - work.Top);
    if (upwards) {
        if (passesTop)
            dropDown->SetHeight(owner.Top - work.Top);
        dropDown->Perform(WM_DROPDOWN_SIDE_EH, sideTop);
        return owner.Top - dropDown->Height();
    }
    if (passesBottom)
        dropDown->SetHeight(work.Bottom - owner.Bottom);
    dropDown->Perform(WM_DROPDOWN_SIDE_EH, sideBottom);
    return owner.Bottom;
}

int PlaceHorizontally(const TRect& owner, TControl* dropDown, const TRect& work, TDropDownAlign align) {
    int x = owner.Left;
    if (align == daRight)
        x = owner.Right - dropDown->Width();
    else if (align == daCenter)
        x = owner.Left - (dropDown->Width() - owner.Width()) / 2;
    if (work.Width() < dropDown->Width())
        dropDown->SetWidth(work.Width());
    const int width = dropDown->Width();
    WPARAM side = align == daRight ? sideLeft : sideRight;
    if (x + width > work.Right) {
        x = work.Right - width;
        side = sideLeft;
    } else if (x < work.Left) {
        x = work.Left;
        side = sideRight;
    }
    dropDown->Perform(WM_DROPDOWN_SIDE_EH, side);
    return x;
}

}  // namespace

TPoint PlaceDropDownByRect(const TRect& owner, TControl* dropDown, TDropDownAlign align) {
    const TRect work = Screen->MonitorFromRect(owner, mdNearest)->WorkareaRect;
    const int y = PlaceVertically(owner, dropDown, work);
    const int x = PlaceHorizontally(owner, dropDown, work, align);
    return TPoint{x, y};
}

TPoint PlaceDropDownByControl(const TControl* owner, TControl* dropDown, TDropDownAlign align) {
    TPoint topLeft{owner->Left(), owner->Top()};
    if (owner->Parent() != nullptr)
        topLeft = owner->Parent()->ClientToScreen(topLeft);
    const TRect rect = Rect(topLeft.X, topLeft.Y, topLeft.X + owner->Width(), topLeft.Y + owner->Height());
    return PlaceDropDownByRect(rect, dropDown, align);
}
