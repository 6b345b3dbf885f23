#include "data_controls/popup_frame.h"

#include "data_controls/drop_down_owner.h"
#include "platform/ui/win_control.h"

void CloseDropDownOf(const TComponent& popup, bool accept) {
    if (auto* owner = dynamic_cast<IDropDownOwnerEh*>(popup.Owner()))
        owner->CloseDropDown(accept);
}

void InsetClientByBorder(TMessage& Message, int borderWidth) {
    auto& rect = *reinterpret_cast<TRect*>(Message.LParam);
    rect = {rect.Left + borderWidth, rect.Top + borderWidth, rect.Right - borderWidth,
            rect.Bottom - borderWidth};
}
