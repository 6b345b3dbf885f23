#pragma once
// The form interceptor stands in for a form's placement while stored values are read: it reports
// the form's restored bounds, and when reading is over rescales the stored bounds from the stored
// resolution to the screen's and applies them together with the window state.
#include <string>

#include "data_controls/property_interceptor.h"
#include "platform/ui/form.h"

// The bounds the form has when not maximized or minimized: its normal rectangle while it is
// maximized or minimized and has a window, else its bounds.
TRect FormRestoredBounds(const TCustomForm& Form);

class TFormStoragePropertyInterceptor : public TStoragePropertyInterceptor {
  public:
    // screenPixelsPerInch: the resolution stored values are rescaled to.
    explicit TFormStoragePropertyInterceptor(TPersistent* Target,
                                             int screenPixelsPerInch = DefaultPixelsPerInch());
    std::string ClassName() const override { return "TFormStoragePropertyInterceptor"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    // Read from the form's restored bounds, 0 without a form target.
    int Left() const { return RestoredBounds().Left; }
    int Top() const { return RestoredBounds().Top; }
    int Width() const { return RestoredBounds().Width(); }
    int Height() const { return RestoredBounds().Height(); }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value) { FWidth = value; }
    void SetHeight(int value) { FHeight = value; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    void SetWindowState(TWindowState value) { FWindowState = value; }
    void SetActiveControl(TWinControl* value) { FActiveControl = value; }

    void AfterPropertiesRead() override;

  private:
    static int DefaultPixelsPerInch();
    TCustomForm* Form() const { return dynamic_cast<TCustomForm*>(FTarget); }
    TRect RestoredBounds() const;
    void Rescale();
    void ApplyBounds(TCustomForm& form) const;
    void ApplyActiveControl(TCustomForm& form) const;

    int screenPixelsPerInch_;
    TWinControl* FActiveControl = nullptr;
    int FHeight = 0;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FPixelsPerInch = 0;
    TWindowState FWindowState = wsNormal;
    bool FPosPresent = false;
};
