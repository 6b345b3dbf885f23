#pragma once
// The host window of a pop-up control: shown above its form without taking the activation or the
// keyboard, with a surface of the control's size that the control and its children paint on.
#include <memory>

#include "platform/ui/raster_image.h"
#include "platform/ui/region.h"

class TWinControl;

namespace platform::ui {

class NativeWindow;

class PopupHost {
  public:
    explicit PopupHost(TWinControl& control);
    ~PopupHost();
    PopupHost(const PopupHost&) = delete;
    PopupHost& operator=(const PopupHost&) = delete;

    TWinControl& Control() const { return control_; }
    RasterImage& SurfaceImage();
    void InvalidateArea(const TRect& rect);
    void PaintInvalid();
    void ScrollInvalidArea(const TRect& area, int dx, int dy) { invalid_.MoveWithin(area, dx, dy); }
    void PresentArea(const TRect& rect);
    // Shows, hides and places the host window as the control now is.
    void Sync();
    bool Shown() const { return shown_; }
    NativeWindow* Native() const { return native_.get(); }

  private:
    TRect SurfaceRect() const;
    TWinControl& control_;
    std::unique_ptr<NativeWindow> native_;
    RasterImage surface_;
    Region invalid_;
    TRect placed_;
    bool shown_ = false;
};

// Brings every pop-up's host window in line with its control and paints what is invalid.
void PaintPopupWindows();

}  // namespace platform::ui
