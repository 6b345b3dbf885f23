#pragma once
// What the form interceptor needs of a form beyond its bounds: window state, position rule,
// pixels per inch and the window placement's normal rectangle. A form class offers them by
// implementing this interface; a form that does not is treated as a normal, designed-position
// form at the screen's resolution whose restored bounds are its bounds.
#include "platform/ui/types.h"

class TWinControl;

namespace form_placement {

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

class TFormPlacement {
  public:
    virtual ~TFormPlacement() = default;
    virtual TWindowState WindowState() const = 0;
    virtual void SetWindowState(TWindowState value) = 0;
    virtual TPosition Position() const = 0;
    virtual void SetPosition(TPosition value) = 0;
    virtual int PixelsPerInch() const = 0;
    // The window placement's normal-position rectangle (where a restored window goes).
    virtual TRect NormalPosition() const = 0;
    virtual void SetNormalPosition(const TRect& rect) = 0;
    // Makes control the active one without moving the focus.
    virtual void SetActiveControlDirect(TWinControl* control) = 0;
};

}  // namespace form_placement
